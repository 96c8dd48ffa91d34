// Whole-file reads and safe rewrites for the book's binary and text files.
// Every failure raises InOutError with the run-time's text; a rewrite goes through a save file
// so that the old content stays whole until the new content is complete.
#pragma once

#include "core/files/binaryreader.h"
#include "core/files/runtimeerror.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstring>
#include <memory>
#include <type_traits>

namespace filestore {

QByteArray readAll(const QString& fileName);

// A file's bytes mapped into memory for reading, or read when it cannot be mapped. Scanning a
// mapped file avoids copying it, which matters for lookups in large files. The one way the
// program maps a file.
class MappedFile
{
public:
    // A file of the book's folder, as readAll takes its name; raises InOutError.
    explicit MappedFile(const QString& fileName);
    // Any regular file by its path (the program's own, a library); nothing when it cannot be
    // opened or read. Raises nothing.
    static std::unique_ptr<MappedFile> ofPath(const QString& path);
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    QByteArrayView bytes() const { return m_view; }
    // The bytes as a QByteArray that shares them; valid while this file lives.
    QByteArray sharedBytes() const { return QByteArray::fromRawData(m_view.data(), m_view.size()); }

private:
    MappedFile() = default;
    // Opens `m_file` and maps or reads it; false when either fails.
    bool load();

    std::unique_ptr<QFile> m_file;
    QByteArray m_copy;
    QByteArrayView m_view;
};
void writeAll(const QString& fileName, const QByteArray& bytes);
void remove(const QString& fileName);
bool exists(const QString& fileName);

// The run-time text for the error that the last failed system call left in errno.
InOutError errorFromErrno(const QString& fileName);

// Record `index` of a file's bytes; "Read beyond end of file: NAME" when it has none there.
template <class Record>
Record recordAt(const QByteArray& bytes, qsizetype index, const QString& fileName)
{
    const std::optional<Record> record =
        index < 0 ? std::nullopt : BinaryReader(bytes).at<Record>(index * qint64(sizeof(Record)));
    if (!record)
        throw InOutError::about(InOutError::readBeyondEnd(), fileName);
    return *record;
}

template <class Record> QByteArray bytesOf(const Record& record)
{
    static_assert(std::is_trivially_copyable_v<Record>);
    return QByteArray(reinterpret_cast<const char*>(&record), sizeof(Record));
}

} // namespace filestore

namespace filestore {
// Writes the new content completely under a scratch name made from `scratchName` (unique to this
// writer), then puts it in the file's place: at any moment either the old or the new file is
// whole. writeAll does the same with a scratch name of its own; both go through SaveFile.
void rewriteThroughScratch(const QString& fileName, const QString& scratchName,
                           const QByteArray& bytes);
} // namespace filestore
