// What the RTF reader takes from a file's style sheet (which paragraph styles are headings) and
// from its fields (the address of a hyperlink).
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>

namespace rtf {

// The style sheet, read entry by entry: a paragraph style named "heading N", or with an outline
// level, makes its paragraphs headings.
class StyleSheet
{
public:
    // A control word and a text byte of the entry being read.
    void word(QByteArrayView word, int param);
    void text(char c);
    // The entry's group has closed.
    void finishEntry();

    // The heading level (1 to 6) of a paragraph style; 0 for one that is no heading.
    int headingLevel(int style) const { return m_headings.value(style, 0); }

private:
    struct Entry
    {
        int number = 0;
        bool paragraph = true;
        int outline = -1;
        QByteArray name;
    };

    Entry m_entry;
    QHash<int, int> m_headings; // paragraph style -> heading level
};

// The address of a HYPERLINK field's instruction ("HYPERLINK \"address\" \\o \"tip\""); empty
// for another field and for a link to a place of the document itself (\l).
QString HyperlinkAddress(const QByteArray& instruction);

} // namespace rtf
