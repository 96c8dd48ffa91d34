// Lines of the book's text files (format/text/linebreaks.h) for Qt code. A line ends at CR LF, LF
// or CR, as a text-file reader takes them; lines are written back with CR LF.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

QList<QByteArray> SplitLines(QByteArrayView bytes);

// Appends the line and CR LF.
inline void AppendLine(QByteArray& out, QByteArrayView line)
{
    out.append(line.data(), line.size());
    out.append("\r\n", 2);
}
