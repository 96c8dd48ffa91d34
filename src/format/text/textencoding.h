// The encoding rule of the texts in the book's files, written once for every program that reads
// or writes them. Texts are UTF-8 std::string in the format code.
//
// A text field of a binary record (string[N]) is stored in Windows-1252 when every character of
// the text has a Windows-1252 form, so every book that Windows-1252 can hold is written byte for
// byte as before; any other text is stored in UTF-8, cut to the field's N bytes between
// characters. Reading takes bytes that are valid UTF-8 and hold at least one multi-byte sequence
// as UTF-8, all other bytes as Windows-1252 (so a Windows-1252 text that happens to form valid
// UTF-8, such as "Ã©", reads as UTF-8: a pair no real title holds).
//
// A section file that starts with the UTF-8 byte-order mark is UTF-8, any other Windows-1252. It
// is written in Windows-1252 while all its text has a Windows-1252 form, and otherwise as UTF-8
// with the mark; once UTF-8 it stays UTF-8.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace bookformat {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F: the code points of those bytes. The five
// unassigned bytes of the range pass through as the C1 controls of the same value.
inline constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The code point of a Windows-1252 byte, and the byte of a code point (0 when it has none; the
// byte 0 itself is the code point 0).
char32_t Windows1252Char(unsigned char byte);
int Windows1252Byte(char32_t code);

std::string Windows1252ToUtf8(std::string_view bytes);
// Characters without a Windows-1252 byte, and damaged UTF-8, become '?'.
std::string Utf8ToWindows1252(std::string_view utf8);
// Whether every character of the (valid) UTF-8 text has a Windows-1252 byte.
bool FitsWindows1252(std::string_view utf8);

std::string EncodeField(std::string_view utf8, std::size_t capacity);
std::string DecodeField(std::string_view bytes);
// How many bytes the text takes in a field of unlimited size.
std::size_t FieldSize(std::string_view utf8);

inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
// The text after the mark, and whether the mark was there.
std::string_view WithoutMark(std::string_view file, bool& utf8);

} // namespace bookformat
