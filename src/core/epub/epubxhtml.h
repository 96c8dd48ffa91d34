// Rich text as XHTML for an EPUB: paragraphs with their alignment and indents, runs with their
// font, size, colour, weight, slant and underline, pictures, and HyperText phrases as links.
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
};

struct XhtmlHooks
{
    // The file a picture of the text is written to, relative to the document; empty leaves it
    // out.
    std::function<QString(const QImage& picture)> picture;
    // Where the phrase leads.
    std::function<XhtmlLink(const QString& phrase)> link;
    // The book's language tag: runs that RTF marks as another language say theirs.
    QString language;
};

// The document's paragraphs as XHTML body content: one <div> stating the font most of the text is
// in, holding a <p> (or <h1> to <h6>) for each paragraph; a right-to-left paragraph (so set, or
// of Arabic or Hebrew letters first) has dir="rtl".
QString DocumentToXhtml(const QTextDocument& document, const XhtmlHooks& hooks);
// The same, appended to `out`.
void AppendXhtml(const QTextDocument& document, const XhtmlHooks& hooks, QString& out);

// The text with the XML special characters escaped and the characters XML forbids left out.
QString XmlEscaped(const QString& text);

// A CSS font-family list: the face, then the generic family it resembles.
QString CssFontFamily(const QString& face);
