// The ZIP reader: the end record, the central directory, then the file's local header and data.
#include "core/epub/zipreader.h"

#include <QtEndian>

#include <zlib.h>

namespace {

constexpr quint32 kEndSignature = 0x06054b50;
constexpr quint32 kDirectorySignature = 0x02014b50;
constexpr quint32 kLocalSignature = 0x04034b50;
constexpr qsizetype kEndSize = 22;
constexpr qsizetype kLongestComment = 0xffff;
constexpr qsizetype kDirectoryEntrySize = 46;
constexpr qsizetype kLocalHeaderSize = 30;
constexpr quint16 kStored = 0;
constexpr quint16 kDeflated = 8;

// Little-endian numbers read only inside the archive: nothing past its end.
class Bytes
{
public:
    explicit Bytes(QByteArrayView bytes) : m_bytes(bytes) {}

    bool has(qsizetype at, qsizetype size) const
    {
        return at >= 0 && size >= 0 && at <= m_bytes.size() - size;
    }
    quint16 u16(qsizetype at) const
    {
        return has(at, 2) ? qFromLittleEndian<quint16>(m_bytes.data() + at) : 0;
    }
    quint32 u32(qsizetype at) const
    {
        return has(at, 4) ? qFromLittleEndian<quint32>(m_bytes.data() + at) : 0;
    }
    QByteArrayView view(qsizetype at, qsizetype size) const
    {
        return has(at, size) ? m_bytes.sliced(at, size) : QByteArrayView();
    }
    qsizetype size() const { return m_bytes.size(); }

private:
    QByteArrayView m_bytes;
};

// The end of central directory record, looked for from the end past a comment of any length.
std::optional<qsizetype> endRecord(const Bytes& bytes)
{
    const qsizetype last = bytes.size() - kEndSize;
    for (qsizetype at = last; at >= 0 && at >= last - kLongestComment; --at) {
        if (bytes.u32(at) == kEndSignature)
            return at;
    }
    return std::nullopt;
}

std::optional<QByteArray> inflateRaw(QByteArrayView packed, qsizetype size)
{
    QByteArray out(size, Qt::Uninitialized);
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
        return std::nullopt;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    stream.avail_in = uInt(packed.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    const int result = inflate(&stream, Z_FINISH);
    const bool whole = result == Z_STREAM_END && qsizetype(stream.total_out) == size;
    inflateEnd(&stream);
    return whole ? std::optional<QByteArray>(out) : std::nullopt;
}

// The file's data from its local header on, as the directory entry describes it.
std::optional<QByteArray> fileData(const Bytes& bytes, qsizetype entry, qsizetype largest)
{
    const quint16 method = bytes.u16(entry + 10);
    const qsizetype packedSize = bytes.u32(entry + 20);
    const qsizetype size = bytes.u32(entry + 24);
    const qsizetype local = bytes.u32(entry + 42);
    if (size > largest || bytes.u32(local) != kLocalSignature)
        return std::nullopt;
    const qsizetype data = local + kLocalHeaderSize + bytes.u16(local + 26) + bytes.u16(local + 28);
    if (!bytes.has(data, packedSize))
        return std::nullopt;
    const QByteArrayView packed = bytes.view(data, packedSize);
    if (method == kStored)
        return packedSize == size ? std::optional<QByteArray>(packed.toByteArray()) : std::nullopt;
    if (method == kDeflated)
        return inflateRaw(packed, size);
    return std::nullopt;
}

} // namespace

std::optional<QByteArray> ReadZipFile(QByteArrayView archive, const QString& name,
                                      qsizetype largest)
{
    const Bytes bytes(archive);
    const std::optional<qsizetype> end = endRecord(bytes);
    if (!end)
        return std::nullopt;
    const QByteArray wanted = name.toUtf8();
    const quint16 entries = bytes.u16(*end + 10);
    qsizetype entry = bytes.u32(*end + 16);
    for (quint16 i = 0; i < entries; ++i) {
        if (bytes.u32(entry) != kDirectorySignature || !bytes.has(entry, kDirectoryEntrySize))
            return std::nullopt;
        const quint16 nameSize = bytes.u16(entry + 28);
        if (bytes.view(entry + kDirectoryEntrySize, nameSize) == wanted)
            return fileData(bytes, entry, largest);
        entry += kDirectoryEntrySize + nameSize + bytes.u16(entry + 30) + bytes.u16(entry + 32);
    }
    return std::nullopt;
}
