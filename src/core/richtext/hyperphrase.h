// HyperText phrases in a QTextDocument, found by the format library's recogniser
// (format/reader/phraserule.h).
#pragma once

#include "format/reader/phraserule.h"

#include <QString>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class QTextBlock;
class QTextFragment;
class QTextDocument;

// The document seen with CR LF paragraph breaks.
class ControlText : public bookformat::ControlTextView
{
public:
    explicit ControlText(const QTextDocument& document) : m_doc(document) {}

    int length() const override;
    char16_t at(int position) const override;       // a line separator reads as 0x0B
    bool underlinedAt(int position) const override; // false for CR, LF and past the end
    int fromDocumentPosition(int position) const;
    int toDocumentPosition(int position) const;

private:
    const QTextDocument& m_doc;
};

// One paragraph of a document as the recogniser sees it, with the paragraph breaks around it
// (a phrase never reaches past them): read once, then asked for each phrase of the paragraph.
class BlockControlText : public bookformat::ControlTextView
{
public:
    explicit BlockControlText(const QTextBlock& block);

    int length() const override { return int(m_text.size()); }
    char16_t at(int position) const override;
    bool underlinedAt(int position) const override;
    // The phrase at a document position inside the paragraph, as HyperPhraseAt finds it.
    QString phraseAt(int documentPosition) const;

private:
    bool underlined(const QTextFragment& fragment);

    int m_origin; // the document position that is position 0 here
    std::u16string m_text;
    std::vector<std::uint8_t> m_underlined;
    std::vector<std::pair<int, bool>> m_formats; // format index -> underlined
};

using bookformat::kMaxPhraseRun;

// The phrase under the caret (a position of the document); empty when there is none.
QString HyperPhraseAt(const QTextDocument& document, int caretDocumentPosition);
