#include "format/text/textencoding.h"

#include "format/text/utf8.h"

#include <algorithm>

namespace bookformat {

char32_t Windows1252Char(unsigned char byte)
{
    return byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80] : byte;
}

int Windows1252Byte(char32_t code)
{
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF))
        return static_cast<int>(code);
    const auto* found = std::find(kWindows1252High.begin(), kWindows1252High.end(), code);
    return found == kWindows1252High.end()
               ? -1
               : 0x80 + static_cast<int>(found - kWindows1252High.begin());
}

std::string Windows1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (const char byte : bytes)
        AppendUtf8(out, Windows1252Char(static_cast<unsigned char>(byte)));
    return out;
}

std::string Utf8ToWindows1252(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        const Utf8Char c = ReadUtf8Char(utf8, at);
        const int byte = c.valid ? Windows1252Byte(c.code) : -1;
        out += byte < 0 ? '?' : static_cast<char>(byte);
        at += c.length;
    }
    return out;
}

bool FitsWindows1252(std::string_view utf8)
{
    for (std::size_t at = 0; at < utf8.size();) {
        const Utf8Char c = ReadUtf8Char(utf8, at);
        if (!c.valid || Windows1252Byte(c.code) < 0)
            return false;
        at += c.length;
    }
    return true;
}

std::string EncodeField(std::string_view utf8, std::size_t capacity)
{
    if (FitsWindows1252(utf8))
        return Utf8ToWindows1252(utf8).substr(0, capacity);
    return std::string(Utf8Prefix(utf8, capacity));
}

std::string DecodeField(std::string_view bytes)
{
    const bool multiByte = std::any_of(
        bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    return multiByte && IsValidUtf8(bytes) ? std::string(bytes) : Windows1252ToUtf8(bytes);
}

std::size_t FieldSize(std::string_view utf8)
{
    return FitsWindows1252(utf8) ? Utf8ToWindows1252(utf8).size() : utf8.size();
}

std::string_view WithoutMark(std::string_view file, bool& utf8)
{
    utf8 = file.substr(0, kUtf8Mark.size()) == kUtf8Mark;
    return utf8 ? file.substr(kUtf8Mark.size()) : file;
}

} // namespace bookformat
