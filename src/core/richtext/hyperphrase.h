// HyperText phrases: a phrase is a run of underlined characters. Positions here count the text
// as the rich-edit control of the original platform counts it, where a paragraph break is the
// two characters CR and LF; the 29- and 30-character limits of phrases depend on it.
#pragma once

#include <QString>

class QTextDocument;

// The document seen with CR LF paragraph breaks.
class ControlText
{
public:
    explicit ControlText(const QTextDocument& document) : m_doc(document) {}

    int length() const;
    QChar at(int position) const;          // a line separator reads as 0x0B
    bool underlinedAt(int position) const; // false for CR, LF and past the end
    int fromDocumentPosition(int position) const;
    int toDocumentPosition(int position) const;

private:
    const QTextDocument& m_doc;
};

// The longest underlined run, in characters, in which a phrase is looked for.
inline constexpr int kMaxPhraseRun = 4096;

// The phrase under the caret, following the recogniser's steps exactly; empty when the
// character at the caret is not underlined, or lies deeper than kMaxPhraseRun into its run.
QString HyperPhraseAt(const QTextDocument& document, int caretDocumentPosition);
