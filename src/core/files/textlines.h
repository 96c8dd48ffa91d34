// Lines of the book's text files. A line ends at CR LF, LF or CR, as a text-file reader takes
// them; lines are written back with CR LF.
#pragma once

#include "format/textlines.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <cstring>

// Walks the lines of a block of bytes without copying them (format/textlines.h over a
// QByteArrayView).
class LineReader
{
public:
    explicit LineReader(QByteArrayView bytes)
        : m_reader(std::string_view(bytes.data(), static_cast<std::size_t>(bytes.size())))
    {}

    bool atEnd() const { return m_reader.atEnd(); }
    // The next line without its end; an empty view at the end, as a text reader gives there.
    QByteArrayView next()
    {
        const std::string_view line = m_reader.next();
        return QByteArrayView(line.data(), static_cast<qsizetype>(line.size()));
    }
    qsizetype position() const { return static_cast<qsizetype>(m_reader.position()); }
    void seek(qsizetype position) { m_reader.seek(static_cast<std::size_t>(position)); }

private:
    bookformat::LineReader m_reader;
};

QList<QByteArray> SplitLines(QByteArrayView bytes);

// Appends the line and CR LF.
inline void AppendLine(QByteArray& out, QByteArrayView line)
{
    out.append(line.data(), line.size());
    out.append("\r\n", 2);
}

inline char AsciiUpperChar(char c)
{
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}

inline bool IsLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// The position of the next line at or after `from` that begins with "[", or -1. Skips the lines
// between with a fast byte search; inline because lookups call it once for every section.
inline qsizetype NextBracketLine(QByteArrayView bytes, qsizetype from)
{
    const char* data = bytes.data();
    const qsizetype size = bytes.size();
    while (from < size) {
        const void* hit = std::memchr(data + from, '[', size_t(size - from));
        if (!hit)
            return -1;
        const qsizetype at = static_cast<const char*>(hit) - data;
        if (at == 0 || IsLineEnd(data[at - 1]))
            return at;
        from = at + 1;
    }
    return -1;
}

// True when the line at `at` is "[" + a name equal to `upperName` (already upper-cased) + any
// last character, names compared as SameAsciiUpper does. Looks at no more than that line.
inline bool HeaderNameIs(QByteArrayView bytes, qsizetype at, QByteArrayView upperName)
{
    const qsizetype n = upperName.size();
    const qsizetype last = at + 1 + n; // the header's last character, dropped from the name
    if (n == 0 && (last == bytes.size() || IsLineEnd(bytes[last])))
        return true; // a header of one character has an empty name too
    if (last >= bytes.size() || IsLineEnd(bytes[last]))
        return false;
    if (last + 1 < bytes.size() && !IsLineEnd(bytes[last + 1]))
        return false; // a line of another length
    // Phrases of one book often share their start, so the end tells them apart sooner.
    const char* name = bytes.data() + at + 1;
    for (qsizetype i = n - 1; i >= 0; --i) {
        if (AsciiUpperChar(name[i]) != upperName[i])
            return false;
    }
    return true;
}

// ASCII letters a to z upper-cased, every other byte as it is: how section names are compared.
QByteArray AsciiUpper(QByteArrayView bytes);
bool SameAsciiUpper(QByteArrayView a, QByteArrayView b);
