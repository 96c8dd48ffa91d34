// Reading RTF into a QTextDocument: the rich text of chapters, pop-ups, the introduction and the
// tutorial, whether the tool wrote it or another program did.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <chrono>
#include <memory>

class QTextDocument;

// True when the bytes start (after blanks) with "{\rtf".
bool LooksLikeRtf(QByteArrayView data);

// Replaces the document's content with the RTF. Never fails: damaged RTF gives what could be
// read, in time linear in its size. Headings (by outline level or a "heading N" style) become
// block heading levels, lists QTextLists, tables QTextTables, hyperlinks anchors, and the
// characters of the Symbol and Wingdings fonts the Unicode characters they show. Text that is not
// RTF is loaded as plain text (UTF-8 when it is valid UTF-8, else Windows-1252).
void ReadRtf(QByteArrayView data, QTextDocument& document);

// The same reading done a part at a time, so that a program can answer its user between the
// parts; the document holds what has been read so far. A text that is not RTF is read at once.
class RtfReading
{
public:
    RtfReading(const QByteArray& data, QTextDocument& document);
    ~RtfReading();
    RtfReading(const RtfReading&) = delete;
    RtfReading& operator=(const RtfReading&) = delete;

    // Reads on for about the time given; true once the whole text is in.
    bool readFor(std::chrono::milliseconds budget);
    // How much of the text has been read, from 0 to 100.
    int percent() const;

private:
    struct State;
    std::unique_ptr<State> m_state;
};

// Exact paragraph indents in twips are kept in these block properties so that a document read
// and written again gives back the same numbers.
namespace rtfprops {
constexpr int LeftIndentTwips = 0x100100;
constexpr int RightIndentTwips = 0x100101;
constexpr int FirstIndentTwips = 0x100102;
// The Windows language identifier of a run (\lang, or \langfe for East Asian text), when given.
constexpr int Language = 0x100103;
// Paragraph spacing before and after, in twips.
constexpr int SpaceBeforeTwips = 0x100104;
constexpr int SpaceAfterTwips = 0x100105;
// The first number of a numbered list, when it is not 1.
constexpr int ListStart = 0x100106;
// The right edges of a table's cells in twips, as the file gave them.
constexpr int CellEdgesTwips = 0x100107;
// The borders of each column's cells, as the first row gives them: per column a list of the top,
// left, bottom and right border's width in twips, 0 for none.
constexpr int CellBordersTwips = 0x100108;
// A picture's file (PNG or JPEG bytes) is kept beside its image as a document resource of this
// type (QTextDocument::UserResource + 1), so that it is written out as it came. Resources are
// found by name alone: the file's name is the image's with "#file" after it.
constexpr int PictureFileResource = 101;
inline QString PictureFileName(const QString& imageName)
{
    return imageName + QStringLiteral("#file");
}
} // namespace rtfprops
