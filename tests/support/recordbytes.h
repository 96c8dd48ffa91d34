// Builds record images byte by byte at the offsets of the file layouts, independent of the
// record structs, so the tests check the structs against the layouts.
#pragma once

#include <QByteArray>

#include <cstdint>
#include <cstring>

class RecordBytes
{
public:
    explicit RecordBytes(int size) : m_bytes(size, '\0') {}

    RecordBytes& u8(int offset, int value)
    {
        m_bytes[offset] = char(value);
        return *this;
    }
    RecordBytes& i16(int offset, int value) { return put(offset, std::int16_t(value)); }
    RecordBytes& i32(int offset, std::int64_t value) { return put(offset, std::int32_t(value)); }
    RecordBytes& str(int offset, const QByteArray& text)
    {
        m_bytes[offset] = char(text.size());
        std::memcpy(m_bytes.data() + offset + 1, text.constData(), text.size());
        return *this;
    }
    const QByteArray& bytes() const { return m_bytes; }

private:
    template <class T> RecordBytes& put(int offset, T value)
    {
        std::memcpy(m_bytes.data() + offset, &value, sizeof value);
        return *this;
    }

    QByteArray m_bytes;
};

inline void defaultBarsAt(RecordBytes& r, int at)
{
    r.str(at + 82, "16 0 1 Times New Roman").i32(at + 133, 0xC0C0C0);
    r.str(at + 219, "8 0 0 Times New Roman").i32(at + 270, 0xC0C0C0);
}

inline void defaultDisplayAt(RecordBytes& r, int at, bool tableOfContents = false)
{
    r.i32(at, 0xFFFFFF).u8(at + 4, 1).i32(at + 5, 1).i32(at + 9, 0xC0C0C0);
    if (tableOfContents)
        r.i32(at + 315, 230).i32(at + 319, 130).i32(at + 323, 190).i32(at + 327, 165);
    else
        r.i32(at + 315, 120)
            .i32(at + 319, 80)
            .i32(at + 323, 400)
            .i32(at + 327, 200)
            .i32(at + 331, 1)
            .i32(at + 335, 1);
}

// The project file of a new project, from the layout tables.
inline QByteArray defaultProjectBytes()
{
    RecordBytes r(5377);
    r.str(0, "2.1");
    defaultBarsAt(r, 5);
    r.i32(279 + 390, 1).i32(279 + 394, 0xC0C0C0);
    defaultBarsAt(r, 980);
    defaultDisplayAt(r, 1254);
    r.u8(1594, 1);
    r.str(4196, "&About").str(4213, "&Help").str(4230, "&Quit").str(4247, "&Close");
    r.str(4264, "&Print").str(4281, "&Find").str(4298, "Press the Start button");
    defaultBarsAt(r, 4324);
    defaultDisplayAt(r, 4598, true);
    const int author = 4939;
    r.i32(author + 366, 0xFFFFFF).str(author + 370, "10 0 1 MS Sans Serif");
    r.i16(author + 421, 5).i16(author + 423, 5).i16(author + 425, 100).i16(author + 427, 190);
    r.i32(author + 429, 1).i32(author + 433, 1);
    r.u8(5376, 1);
    return r.bytes();
}

inline QByteArray defaultDisplayBytes()
{
    RecordBytes r(340);
    defaultDisplayAt(r, 0);
    return r.bytes();
}

inline QByteArray chapterBytes(const QByteArray& entry, const QByteArray& text,
                               const QByteArray& display, int removed = 0)
{
    RecordBytes r(169);
    r.u8(0, removed).str(1, entry).str(62, text).str(143, display);
    return r.bytes();
}
