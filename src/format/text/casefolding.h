// How names compare without regard to case: Unicode's simple case folding, one character for one,
// so "Белые ночи" finds "БЕЛЫЕ НОЧИ", "οδός" finds "ΟΔΌΣ" and "café" finds "CAFÉ".
#pragma once

#include <string>
#include <string_view>

namespace bookformat {

char32_t FoldCase(char32_t code);

// ASCII letters a to z upper-cased, every other byte as it is: how file names and the names of
// ASCII sections compare.
constexpr char AsciiUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
std::string AsciiUpper(std::string_view text);
// The folded form of UTF-8 text; damaged sequences fold to U+FFFD.
std::string FoldCase(std::string_view utf8);

} // namespace bookformat
