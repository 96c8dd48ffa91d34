// HyperText phrases in a QTextDocument, found by the format library's recogniser
// (format/hyperphrase.h).
#pragma once

#include "format/hyperphrase.h"

#include <QString>

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

using bookformat::kMaxPhraseRun;

// The phrase under the caret (a position of the document); empty when there is none.
QString HyperPhraseAt(const QTextDocument& document, int caretDocumentPosition);
