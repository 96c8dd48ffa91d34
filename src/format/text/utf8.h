// UTF-8, the form of every text in the format code: reading code points from bytes that may be
// damaged, and writing them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace bookformat {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// The code point at `at` and the bytes it takes; a byte that starts no valid sequence (a stray
// continuation, a cut, an overlong form, a surrogate, beyond U+10FFFF) reads as U+FFFD taking one
// byte, so a walk over any bytes ends.
struct Utf8Char
{
    char32_t code;
    std::size_t length;
    bool valid;
};
Utf8Char ReadUtf8Char(std::string_view bytes, std::size_t at);

void AppendUtf8(std::string& out, char32_t code);
bool IsValidUtf8(std::string_view bytes);

// Whether the text reads from the right: its first letter is of a right-to-left script (Hebrew,
// Arabic, Syriac, Thaana, N'Ko and their presentation forms); false for a text without letters.
bool IsRightToLeft(std::string_view utf8);

// At most `capacity` bytes of UTF-8 text, cut before a character that does not fit whole.
std::string_view Utf8Prefix(std::string_view utf8, std::size_t capacity);

} // namespace bookformat
