// The compiled, indexed form of a section file that goes into the executable book, and the
// reader that finds a section in it through the index without scanning the bodies.
//
// Layout (integers 32-bit little-endian, strings one length byte and their declared size):
//   0   string[4] magic               5  section count N        9  offset of the index
//   13  the section bodies           index: N records of 80 bytes
//       record: string[60] header line with brackets, body offset, body size, string[10] source
// The magic says how every text of the block is encoded, as its section file was: "KR1" for
// Windows-1252 (the block of a Windows-1252 file is byte for byte what it always was), "KRU" for
// UTF-8 (the file's byte-order mark is left out). A UTF-8 header or source is cut to its field
// between characters. Names are found without regard to case by Unicode's case folding.
#pragma once

#include "core/files/runtimeerror.h"
#include "core/project/pstring.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QStringList>

#include <memory>

class QFile;

#pragma pack(push, 1)
struct SectionIndexEntry
{
    PString<60> Header;
    std::int32_t Offset;
    std::int32_t Size;
    PString<10> Source;
};
struct CompiledHeader
{
    PString<4> Magic;
    std::int32_t Count;
    std::int32_t IndexOffset;
};
#pragma pack(pop)
static_assert(sizeof(SectionIndexEntry) == 80);
static_assert(offsetof(SectionIndexEntry, Offset) == 61);
static_assert(offsetof(SectionIndexEntry, Size) == 65);
static_assert(offsetof(SectionIndexEntry, Source) == 69);
static_assert(sizeof(CompiledHeader) == 13);

// Writes the compiled form of `file` to its base name + "." + extension in the current directory.
// False (and nothing written) when the section file does not exist.
bool CompileSectionFile(const QString& file, const QString& extension);

// The compiled bytes of a section file's content.
QByteArray CompileSections(const QByteArray& sectionFile);

class CompiledBlockError : public RunTimeError
{
public:
    explicit CompiledBlockError(const QString& detail)
        : RunTimeError(
              QStringLiteral("The compiled HyperText entries are damaged: %1.").arg(detail))
    {}
};

// How much of a block is checked when it is opened.
enum class IndexCheck
{
    AtOpen,    // every index record: a damaged block is refused at once
    OnFirstUse // the header and the index's extent; a record when it is first used, and the
               // lookup table on the first lookup, so opening costs nothing per entry
};

// A compiled block: the magic, and every offset and size inside the block, are checked before
// they are used. Raises CompiledBlockError for a damaged block and InOutError when the file
// cannot be read.
class CompiledSections
{
public:
    static CompiledSections fromBytes(const QByteArray& block,
                                      IndexCheck check = IndexCheck::AtOpen);
    // The block lies in the file at `offset` and runs `size` bytes; it is mapped, not read.
    static CompiledSections fromFile(const QString& path, qint64 offset, qint64 size);

    int count() const { return m_count; }
    // Index of the last section (name, source), matched as ReadEntry matches; -1 when none.
    int find(const QString& name, const QString& source) const;
    // The section in the form ReadEntry gives: name, "source=" line, key and text lines, "]".
    bool readEntry(const QString& name, const QString& source, QStringList& lines) const;
    QByteArrayView body(int index) const;
    QString headerLine(int index) const;
    QString source(int index) const;
    bool isUtf8() const { return m_utf8; }

private:
    void open(IndexCheck check);
    SectionIndexEntry entry(int index) const; // checked
    const QHash<QString, int>& lookup() const;
    QString key(QByteArrayView header, QByteArrayView source) const;

    std::shared_ptr<QFile> m_file;
    QByteArray m_owned;
    QByteArrayView m_data;
    int m_count = 0;
    qint64 m_indexOffset = 0;
    bool m_utf8 = false;
    mutable std::shared_ptr<const QHash<QString, int>> m_lookup; // built on the first lookup
};
