// Lines of the book's text files. A line ends at CR LF, LF or CR, as a text-file reader takes
// them; lines are written back with CR LF.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// Walks the lines of a block of bytes without copying them.
class LineReader
{
public:
    explicit LineReader(QByteArrayView bytes) : m_bytes(bytes) {}

    bool atEnd() const { return m_pos >= m_bytes.size(); }
    // The next line without its end; an empty view at the end, as a text reader gives there.
    QByteArrayView next();
    qsizetype position() const { return m_pos; }
    void seek(qsizetype position) { m_pos = position; }

private:
    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
};

QList<QByteArray> SplitLines(QByteArrayView bytes);

// The position of the next line at or after `from` that begins with "[", or -1. Skips the lines
// between with a fast byte search, which is what makes lookups cheap on large files.
qsizetype NextBracketLine(QByteArrayView bytes, qsizetype from);

// True when the line at `at` is "[" + a name equal to `upperName` (already upper-cased) + any
// last character, names compared as SameAsciiUpper does. Looks at no more than that line.
bool HeaderNameIs(QByteArrayView bytes, qsizetype at, QByteArrayView upperName);

// Appends the line and CR LF.
inline void AppendLine(QByteArray& out, QByteArrayView line)
{
    out.append(line.data(), line.size());
    out.append("\r\n", 2);
}

// ASCII letters a to z upper-cased, every other byte as it is: how section names are compared.
QByteArray AsciiUpper(QByteArrayView bytes);
bool SameAsciiUpper(QByteArrayView a, QByteArrayView b);
