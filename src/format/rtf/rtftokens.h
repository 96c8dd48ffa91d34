// Rich text cut into the pieces its readers meet: group braces, control words with their
// parameters, control symbols, \'hh characters, runs of plain text and the data of \bin. The
// format library's passes over a chapter's RTF (nesting, pictures, list marks) walk it with this.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace bookformat {

// The characters of RTF's words and numbers.
constexpr bool IsRtfLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
constexpr bool IsRtfDigit(char c)
{
    return c >= '0' && c <= '9';
}
// A hexadecimal digit's value; -1 for any other character.
constexpr int RtfHexDigit(char c)
{
    return IsRtfDigit(c)            ? c - '0'
           : (c >= 'a' && c <= 'f') ? c - 'a' + 10
           : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                    : -1;
}

struct RtfToken
{
    enum class Kind
    {
        GroupStart,
        GroupEnd,
        Word,      // \word or \word-12, the space after it included
        Symbol,    // \ and one character that is not a letter: \* \~ \{ \\ ...
        Character, // \'hh
        Text,      // plain text up to the next brace or backslash
        Binary,    // \binN and its N bytes (fewer when the text ends first)
    };
    Kind kind = Kind::Text;
    std::size_t begin = 0; // the token's bytes in the text
    std::size_t end = 0;
    std::string_view word; // Word and Binary: the letters
    bool hasParam = false;
    std::int64_t param = 0;      // from the first ten digits
    char symbol = 0;             // Symbol: the character after the backslash
    unsigned char character = 0; // Character: the byte
    std::string_view data;       // Text: the text; Binary: the bytes there are
};

class RtfTokenizer
{
public:
    explicit RtfTokenizer(std::string_view rtf, std::size_t from = 0) : m_rtf(rtf), m_at(from) {}
    // The next token; false at the end of the text.
    bool next(RtfToken& token);
    std::size_t position() const { return m_at; }

private:
    void readWord(RtfToken& token);

    std::string_view m_rtf;
    std::size_t m_at;
};

} // namespace bookformat
