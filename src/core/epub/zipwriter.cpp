// The ZIP writer: local headers, data, then the central directory, little-endian throughout.
#include "core/epub/zipwriter.h"

#include <QtEndian>

#include <limits>
#include <zlib.h>

namespace {

constexpr quint16 kStored = 0;
constexpr quint16 kDeflated = 8;
constexpr quint16 kVersion = 20; // 2.0: deflate
constexpr quint16 kUtf8Names = 1u << 11;
// 1 January 2026, 00:00: a fixed date keeps archives of the same content byte for byte the same.
constexpr quint16 kDosTime = 0;
constexpr quint16 kDosDate = ((2026 - 1980) << 9) | (1 << 5) | 1;

void put16(QByteArray& out, quint16 value)
{
    const quint16 le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&le), 2);
}

void put32(QByteArray& out, quint32 value)
{
    const quint32 le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&le), 4);
}

void put64(QByteArray& out, quint64 value)
{
    const quint64 le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&le), 8);
}

// An entry count the classic end record cannot hold: 0xFFFF there says "see the ZIP64 record".
constexpr qsizetype kClassicCountLimit = 0xffff;

// The ZIP64 end of central directory record and its locator, written before the classic end
// record when the entries are too many for it.
void putZip64End(QByteArray& out, qint64 recordAt, quint64 entries, quint64 directorySize,
                 quint64 directoryAt)
{
    put32(out, 0x06064b50);
    put64(out, 44); // the record's size after this field
    put16(out, 45); // made by: version 4.5, ZIP64
    put16(out, 45); // needed to extract
    put32(out, 0);  // this disk
    put32(out, 0);  // the disk of the central directory
    put64(out, entries);
    put64(out, entries);
    put64(out, directorySize);
    put64(out, directoryAt);
    put32(out, 0x07064b50);
    put32(out, 0); // the disk of the ZIP64 end record
    put64(out, quint64(recordAt));
    put32(out, 1); // disks in all
}

// Raw deflate (no zlib header), as ZIP stores it.
QByteArray deflateRaw(const QByteArray& bytes)
{
    z_stream stream{};
    if (deflateInit2(&stream, Z_BEST_SPEED, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return {};
    QByteArray out(qsizetype(deflateBound(&stream, uLong(bytes.size()))), Qt::Uninitialized);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.constData()));
    stream.avail_in = uInt(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    const int result = deflate(&stream, Z_FINISH);
    out.resize(qsizetype(stream.total_out));
    deflateEnd(&stream);
    return result == Z_STREAM_END ? out : QByteArray();
}

} // namespace

void ZipWriter::putShared(QByteArray& out, const Entry& entry)
{
    put16(out, kVersion); // needed to extract
    put16(out, kUtf8Names);
    put16(out, entry.method);
    put16(out, kDosTime);
    put16(out, kDosDate);
    put32(out, entry.crc);
    put32(out, entry.compressedSize);
    put32(out, entry.size);
    put16(out, quint16(entry.name.size()));
}

ZipWriter::Packed ZipWriter::pack(const QByteArray& bytes, Method method)
{
    Packed packed;
    if (bytes.size() >= qint64(std::numeric_limits<quint32>::max())) {
        packed.fits = false;
        return packed;
    }
    packed.size = quint32(bytes.size());
    packed.crc =
        quint32(crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef*>(bytes.constData()),
                      uInt(bytes.size())));
    if (method == Method::Deflated)
        packed.data = deflateRaw(bytes);
    if (method == Method::Deflated && !packed.data.isEmpty() && packed.data.size() < bytes.size()) {
        packed.method = kDeflated;
    } else {
        packed.method = kStored;
        packed.data = bytes;
    }
    return packed;
}

bool ZipWriter::add(const QString& name, const Packed& packed)
{
    if (!packed.fits || m_out.pos() >= qint64(std::numeric_limits<quint32>::max()))
        return false;
    Entry entry;
    entry.name = name.toUtf8();
    entry.size = packed.size;
    entry.crc = packed.crc;
    entry.method = packed.method;
    entry.compressedSize = quint32(packed.data.size());
    entry.offset = quint32(m_out.pos());
    QByteArray header;
    put32(header, 0x04034b50);
    putShared(header, entry);
    put16(header, 0); // no extra field
    header += entry.name;
    if (m_out.write(header) != header.size() || m_out.write(packed.data) != packed.data.size())
        return false;
    m_entries << entry;
    return true;
}

bool ZipWriter::finish()
{
    const qint64 start = m_out.pos();
    QByteArray directory;
    for (const Entry& entry : std::as_const(m_entries)) {
        put32(directory, 0x02014b50);
        put16(directory, kVersion); // made by: MS-DOS attributes, version 2.0
        putShared(directory, entry);
        put16(directory, 0); // extra field
        put16(directory, 0); // comment
        put16(directory, 0); // disk
        put16(directory, 0); // internal attributes
        put32(directory, 0); // external attributes
        put32(directory, entry.offset);
        directory += entry.name;
    }
    if (start + directory.size() >= qint64(std::numeric_limits<quint32>::max()))
        return false;
    const bool many = m_entries.size() >= kClassicCountLimit;
    const quint16 count = many ? quint16(0xffff) : quint16(m_entries.size());
    QByteArray end;
    if (many)
        putZip64End(end, start + directory.size(), quint64(m_entries.size()),
                    quint64(directory.size()), quint64(start));
    put32(end, 0x06054b50);
    put16(end, 0);
    put16(end, 0);
    put16(end, count);
    put16(end, count);
    put32(end, quint32(directory.size()));
    put32(end, quint32(start));
    put16(end, 0);
    directory += end;
    return m_out.write(directory) == directory.size();
}
