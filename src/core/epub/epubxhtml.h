// Rich text as XHTML for an EPUB: headings and paragraphs with their alignment, indents and
// spacing, lists, tables, runs with their font, size, colour, weight, slant, underline and
// raised or lowered place, pictures, web links, and HyperText phrases as links.
#pragma once

#include <QString>

#include <functional>

class QImage;
class QTextDocument;

// Where a HyperText phrase leads: nowhere (the phrase stays underlined text), a page, or a
// footnote that reading systems show as a pop-up.
struct XhtmlLink
{
    QString href;
    bool footnote = false;
    QString id; // the link's own id, for a way back to it; empty for none
    // The web edition's key of the phrase's action (class "phrase", data-link); empty for none.
    QString dataLink;
};

struct XhtmlHooks
{
    // The file a picture of the text is written to, relative to the document; empty leaves it
    // out. `file` is the PNG or JPEG the picture came from, when the text kept it.
    std::function<QString(const QImage& picture, const QByteArray& file)> picture;
    // Where the phrase leads.
    std::function<XhtmlLink(const QString& phrase)> link;
    // The book's language tag: runs that RTF marks as another language say theirs.
    QString language;
};

// The document's paragraphs as XHTML body content: one <div> stating the font most of the text is
// in, holding a <p> (or <h1> to <h6>) for each paragraph, <ol> or <ul> for lists and <table> for
// tables; a right-to-left paragraph (so set, or of Arabic or Hebrew letters first) has dir="rtl".
// Empty paragraphs become space above the next one. Links of the text lead to web and mail
// addresses only.
QString DocumentToXhtml(const QTextDocument& document, const XhtmlHooks& hooks);
// The same, appended to `out`.
void AppendXhtml(const QTextDocument& document, const XhtmlHooks& hooks, QString& out);

// Gives a chapter a heading to start with: true when it has a heading already, or when its first
// paragraph reads as its title and so becomes its heading; false when the caller must add one.
bool MakeTitleHeading(QTextDocument& document, const QString& title);

// The language tag of the language that more than half of the document's text is in; empty when
// none is. Text the RTF does not mark is in the book's language, unless its letters are of a
// script that language is not written in (a Russian chapter typed in an English book): then it
// is in the language most written in that script.
QString DominantLanguage(const QTextDocument& document, const QString& bookLanguage);

// The language unmarked text is taken to be in, by the rule above.
QString UnmarkedTextLanguage(const QString& text, const QString& bookLanguage);

// The text with the XML special characters escaped and the characters XML forbids left out.
QString XmlEscaped(const QString& text);

// A CSS font-family list: the face, then the generic family it resembles.
QString CssFontFamily(const QString& face);
