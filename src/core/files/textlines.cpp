// Line walking and the case-blind comparison of section names.
#include "core/files/textlines.h"

#include <cstring>

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

QByteArray AsciiUpper(QByteArrayView bytes)
{
    QByteArray result(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        result[i] = AsciiUpperChar(bytes[i]);
    return result;
}

bool SameAsciiUpper(QByteArrayView a, QByteArrayView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (AsciiUpperChar(a[i]) != AsciiUpperChar(b[i]))
            return false;
    }
    return true;
}
