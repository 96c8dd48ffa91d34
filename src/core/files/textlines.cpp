#include "core/files/textlines.h"

#include "format/text/linebreaks.h"

QList<QByteArray> SplitLines(QByteArrayView bytes)
{
    QList<QByteArray> lines;
    bookformat::LineReader reader(
        std::string_view(bytes.data(), static_cast<std::size_t>(bytes.size())));
    while (!reader.atEnd()) {
        const std::string_view line = reader.next();
        lines.append(QByteArray(line.data(), static_cast<qsizetype>(line.size())));
    }
    return lines;
}
