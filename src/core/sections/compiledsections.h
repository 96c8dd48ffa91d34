// The compiled form of section files for Qt code: the format library's compiler and reader
// (format/book/sectionindex.h, where the layout is written down), with QString names and lines,
// the block held in memory or mapped from a file, and its errors as RunTimeError.
#pragma once

#include "core/files/runtimeerror.h"
#include "format/book/sectionindex.h"

#include <QByteArray>
#include <QStringList>

#include <memory>

class QFile;

using bookformat::IndexCheck;

// Writes the compiled form of `file` to its base name + "." + extension in the current directory.
// False (and nothing written) when the section file does not exist.
bool CompileSectionFile(const QString& file, const QString& extension);

// The compiled bytes of a section file's content.
QByteArray CompileSections(const QByteArray& sectionFile);

// "The compiled HyperText entries are damaged: ...", as the format library says it.
class CompiledBlockError : public RunTimeError
{
public:
    explicit CompiledBlockError(const bookformat::CompiledBlockError& error)
        : RunTimeError(QString::fromUtf8(error.what()))
    {}
};

// A compiled block. Raises CompiledBlockError for a damaged block and InOutError when the file
// cannot be read.
class CompiledSections
{
public:
    static CompiledSections fromBytes(const QByteArray& block,
                                      IndexCheck check = IndexCheck::AtOpen);
    // The block lies in the file at `offset` and runs `size` bytes; it is mapped, not read.
    static CompiledSections fromFile(const QString& path, qint64 offset, qint64 size);

    int count() const { return m_sections->count(); }
    bool isUtf8() const { return m_sections->isUtf8(); }
    // Index of the last section (name, source), matched as ReadEntry matches; -1 when none.
    int find(const QString& name, const QString& source) const;
    // The section in the form ReadEntry gives: name, "source=" line, key and text lines, "]".
    bool readEntry(const QString& name, const QString& source, QStringList& lines) const;
    QByteArrayView body(int index) const;
    QString headerLine(int index) const;
    QString source(int index) const;

private:
    void open(QByteArrayView block, IndexCheck check);

    std::shared_ptr<QFile> m_file; // the mapped file, or
    QByteArray m_owned;            // the bytes, which the reader reads in place
    std::shared_ptr<const bookformat::CompiledSections> m_sections;
};
