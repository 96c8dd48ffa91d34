// HyperText phrases: a phrase is a run of underlined characters, found from the character a reader
// clicks. Every runtime finds it by the same steps over its own text control: positions count the
// text as a rich-edit control counts it, in UTF-16 units, where a paragraph break is the two
// characters CR and LF; the 29- and 30-character limits of phrases depend on it.
#pragma once

#include <string>

namespace bookformat {

// A runtime's text control as the recogniser sees it.
class ControlTextView
{
public:
    virtual ~ControlTextView() = default;
    virtual int length() const = 0;
    // The character at a position; a line separator reads as 0x0B, a paragraph break as CR, LF.
    virtual char16_t at(int position) const = 0;
    virtual bool underlinedAt(int position) const = 0; // false for CR, LF and past the end
};

// The longest underlined run, in characters, in which a phrase is looked for.
inline constexpr int kMaxPhraseRun = 4096;

// The phrase at the caret: back to the start of the underlined run or of its line, forward at
// most 30 characters to the run's end, the character before the run dropped unless the run starts
// its line, and blanks and controls trimmed. Empty when the character at the caret is not
// underlined, or lies deeper than kMaxPhraseRun into its run.
std::u16string HyperPhraseAt(const ControlTextView& text, int caret);

} // namespace bookformat
