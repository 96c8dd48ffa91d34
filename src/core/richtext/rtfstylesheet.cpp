// Reading style sheet entries and field instructions.
#include "core/richtext/rtfstylesheet.h"

#include <QList>

namespace rtf {

namespace {

// Bounds on what a style sheet may cost however the file is made.
constexpr qsizetype kMaxStyleName = 256;
constexpr qsizetype kMaxHeadingStyles = 4096;

// The words of a field instruction; a quoted argument is one word, without its quotes.
QList<QByteArray> instructionWords(const QByteArray& instruction)
{
    QList<QByteArray> words;
    for (qsizetype at = 0; at < instruction.size();) {
        if (instruction[at] == ' ' || instruction[at] == '\t') {
            ++at;
        } else if (instruction[at] == '"') {
            qsizetype end = instruction.indexOf('"', at + 1);
            end = end < 0 ? instruction.size() : end;
            words << instruction.mid(at + 1, end - at - 1);
            at = end + 1;
        } else {
            qsizetype end = at;
            while (end < instruction.size() && instruction[end] != ' ' && instruction[end] != '\t')
                ++end;
            words << instruction.mid(at, end - at);
            at = end;
        }
    }
    return words;
}

} // namespace

void StyleSheet::word(QByteArrayView word, int param)
{
    if (word == "s")
        m_entry.number = param;
    else if (word == "cs" || word == "ds" || word == "ts")
        m_entry.paragraph = false;
    else if (word == "outlinelevel")
        m_entry.outline = param;
}

void StyleSheet::text(char c)
{
    if (m_entry.name.size() < kMaxStyleName)
        m_entry.name.append(c);
}

void StyleSheet::finishEntry()
{
    QByteArray name = m_entry.name.trimmed().toLower();
    if (name.endsWith(';'))
        name.chop(1);
    int level = 0;
    if (name.startsWith("heading "))
        level = name.mid(8).trimmed().toInt();
    if (level <= 0 && m_entry.outline >= 0 && m_entry.outline < 9)
        level = m_entry.outline + 1;
    if (m_entry.paragraph && level > 0 && m_headings.size() < kMaxHeadingStyles)
        m_headings.insert(m_entry.number, std::min(level, 6));
    m_entry = Entry{};
}

QString HyperlinkAddress(const QByteArray& instruction)
{
    const QByteArray text = instruction.trimmed();
    if (!text.toUpper().startsWith("HYPERLINK"))
        return {};
    const QList<QByteArray> words = instructionWords(text.mid(9));
    QString address;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QByteArray& word = words.at(i);
        if (word == "\\l")
            return {};
        if (word == "\\o" || word == "\\t" || word == "\\m")
            ++i; // the switch's own argument
        else if (address.isEmpty() && !word.startsWith('\\'))
            address = QString::fromUtf8(word).trimmed();
    }
    return address;
}

} // namespace rtf
