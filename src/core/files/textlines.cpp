// Line walking and the case-blind comparison of section names.
#include "core/files/textlines.h"

#include <cstring>

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
