// Line walking and the case-blind comparison of section names.
#include "bookdata/textlines.h"

#include <cstring>

namespace {
inline char upper(char c)
{
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}
} // namespace

QByteArrayView LineReader::next()
{
    const qsizetype start = m_pos;
    const qsizetype size = m_bytes.size();
    const char* data = m_bytes.data();
    qsizetype end = start;
    while (end < size && data[end] != '\n' && data[end] != '\r')
        ++end;
    m_pos = end;
    if (m_pos < size) {
        if (data[m_pos] == '\r' && m_pos + 1 < size && data[m_pos + 1] == '\n')
            ++m_pos;
        ++m_pos;
    }
    return m_bytes.sliced(start, end - start);
}

QList<QByteArray> SplitLines(QByteArrayView bytes)
{
    QList<QByteArray> lines;
    LineReader reader(bytes);
    while (!reader.atEnd())
        lines.append(reader.next().toByteArray());
    return lines;
}

qsizetype NextBracketLine(QByteArrayView bytes, qsizetype from)
{
    const char* data = bytes.data();
    const qsizetype size = bytes.size();
    while (from < size) {
        const void* hit = std::memchr(data + from, '[', size_t(size - from));
        if (!hit)
            return -1;
        const qsizetype at = static_cast<const char*>(hit) - data;
        if (at == 0 || data[at - 1] == '\n' || data[at - 1] == '\r')
            return at;
        from = at + 1;
    }
    return -1;
}


bool HeaderNameIs(QByteArrayView bytes, qsizetype at, QByteArrayView upperName)
{
    const auto isLineEnd = [](char c) { return c == '\r' || c == '\n'; };
    const qsizetype n = upperName.size();
    const qsizetype last = at + 1 + n; // the header's last character, dropped from the name
    if (n == 0 && (last == bytes.size() || isLineEnd(bytes[last])))
        return true; // a header of one character has an empty name too
    if (last >= bytes.size() || isLineEnd(bytes[last]))
        return false;
    if (last + 1 < bytes.size() && !isLineEnd(bytes[last + 1]))
        return false; // a line of another length
    // Phrases of one book often share their start, so the end tells them apart sooner.
    const char* name = bytes.data() + at + 1;
    for (qsizetype i = n - 1; i >= 0; --i) {
        if (upper(name[i]) != upperName[i])
            return false;
    }
    return true;
}

QByteArray AsciiUpper(QByteArrayView bytes)
{
    QByteArray result(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        result[i] = upper(bytes[i]);
    return result;
}

bool SameAsciiUpper(QByteArrayView a, QByteArrayView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (upper(a[i]) != upper(b[i]))
            return false;
    }
    return true;
}
