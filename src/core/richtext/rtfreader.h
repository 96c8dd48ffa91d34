// Reading RTF into a QTextDocument: the rich text of chapters, pop-ups, the introduction and the
// tutorial, whether the tool wrote it or another program did.
#pragma once

#include <QByteArrayView>
#include <QString>

class QTextDocument;

// True when the bytes start (after blanks) with "{\rtf".
bool LooksLikeRtf(QByteArrayView data);

// Replaces the document's content with the RTF. Never fails: damaged RTF gives what could be
// read, in time linear in its size. Text that is not RTF is loaded as plain text (UTF-8 when it
// is valid UTF-8, else Windows-1252).
void ReadRtf(QByteArrayView data, QTextDocument& document);

// Exact paragraph indents in twips are kept in these block properties so that a document read
// and written again gives back the same numbers.
namespace rtfprops {
constexpr int LeftIndentTwips = 0x100100;
constexpr int RightIndentTwips = 0x100101;
constexpr int FirstIndentTwips = 0x100102;
// The Windows language identifier of a run (\lang, or \langfe for East Asian text), when given.
constexpr int Language = 0x100103;
} // namespace rtfprops
