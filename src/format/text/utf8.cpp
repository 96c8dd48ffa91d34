#include "format/text/utf8.h"

namespace bookformat {

namespace {

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

} // namespace

Utf8Char ReadUtf8Char(std::string_view bytes, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(bytes[at]);
    if (lead < 0x80)
        return {lead, 1, true};
    std::size_t length = 0;
    char32_t code = 0;
    char32_t least = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, code = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, code = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, code = lead & 0x07, least = 0x10000;
    } else {
        return {kReplacementCharacter, 1, false};
    }
    if (at + length > bytes.size())
        return {kReplacementCharacter, 1, false};
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[at + i]);
        if (!isContinuation(byte))
            return {kReplacementCharacter, 1, false};
        code = (code << 6) | (byte & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return {kReplacementCharacter, 1, false};
    return {code, length, true};
}

void AppendUtf8(std::string& out, char32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

bool IsValidUtf8(std::string_view bytes)
{
    for (std::size_t at = 0; at < bytes.size();) {
        const Utf8Char c = ReadUtf8Char(bytes, at);
        if (!c.valid)
            return false;
        at += c.length;
    }
    return true;
}

std::string_view Utf8Prefix(std::string_view utf8, std::size_t capacity)
{
    if (utf8.size() <= capacity)
        return utf8;
    // Back from the cut to the first byte of the character it would split.
    std::size_t cut = capacity;
    while (cut > 0 && isContinuation(static_cast<unsigned char>(utf8[cut])))
        --cut;
    return utf8.substr(0, cut);
}

namespace {

bool isRightToLeftLetter(char32_t c)
{
    return (c >= 0x0590 && c <= 0x08FF) || (c >= 0xFB1D && c <= 0xFDFF) ||
           (c >= 0xFE70 && c <= 0xFEFF) || (c >= 0x10800 && c <= 0x10FFF) ||
           (c >= 0x1E800 && c <= 0x1EFFF);
}

// Letters of the left-to-right scripts, roughly: what is neither a digit, a mark of punctuation,
// a space, a combining mark nor a symbol of the common blocks.
bool isLeftToRightLetter(char32_t c)
{
    if (c < 0x80)
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (c < 0xC0 || c == 0xD7 || c == 0xF7 || (c >= 0x0300 && c <= 0x036F) ||
        (c >= 0x2000 && c <= 0x2BFF) || (c >= 0x3000 && c <= 0x303F) ||
        (c >= 0xFF00 && c <= 0xFF20) || c >= 0xFFF0)
        return false;
    return !isRightToLeftLetter(c);
}

} // namespace

bool IsRightToLeft(std::string_view utf8)
{
    for (std::size_t at = 0; at < utf8.size();) {
        const Utf8Char c = ReadUtf8Char(utf8, at);
        if (isRightToLeftLetter(c.code))
            return true;
        if (isLeftToRightLetter(c.code))
            return false;
        at += c.length;
    }
    return false;
}

} // namespace bookformat
