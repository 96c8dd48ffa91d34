// Writing a ZIP archive, as an EPUB is one: entries stored or deflated, in the order added, with
// the central directory at the end. Entries are under 4 GiB each and lie in the first 4 GiB;
// past 65,534 of them the archive ends with the ZIP64 records that count them.
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QList>
#include <QString>

class ZipWriter
{
public:
    enum class Method
    {
        Stored,
        Deflated,
    };

    // A file's data as the archive holds it: packed apart from the writer, on any thread, so
    // that a caller can keep many files packed instead of whole.
    struct Packed
    {
        QByteArray data;
        quint32 crc = 0;
        quint32 size = 0;
        quint16 method = 0;
        bool fits = true; // false for a file of 4 GiB or more
    };
    // Deflated only when that makes it smaller.
    static Packed pack(const QByteArray& bytes, Method method = Method::Deflated);

    // Writes to `out` from its current position; the device must stay open until finish().
    explicit ZipWriter(QIODevice& out) : m_out(out) {}

    // Adds one file. False when the device refuses the bytes or the archive is full.
    bool add(const QString& name, const Packed& packed);
    bool add(const QString& name, const QByteArray& bytes, Method method = Method::Deflated)
    {
        return add(name, pack(bytes, method));
    }

    // Writes the central directory. False when the device refuses it.
    bool finish();

private:
    struct Entry
    {
        QByteArray name;
        quint32 crc = 0;
        quint32 compressedSize = 0;
        quint32 size = 0;
        quint16 method = 0;
        quint32 offset = 0;
    };

    // The fields a file's local header and its central directory entry share, in their order.
    static void putShared(QByteArray& out, const Entry& entry);

    QIODevice& m_out;
    QList<Entry> m_entries;
};
