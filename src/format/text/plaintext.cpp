#include "format/text/plaintext.h"

#include "format/text/textencoding.h"
#include "format/text/utf8.h"

namespace bookformat {

std::string DecodePlainText(std::string_view bytes, bool& utf8)
{
    // The mark is no part of the text, even when the bytes after it are not UTF-8: they are then
    // read byte for byte as Windows-1252, so that a save gives them back unchanged.
    const std::string_view text = bytes.starts_with("\xEF\xBB\xBF") ? bytes.substr(3) : bytes;
    utf8 = IsValidUtf8(text);
    return utf8 ? std::string(text) : Windows1252ToUtf8(text);
}

std::string PlainTextFileBytes(std::string_view utf8Text, bool wasUtf8)
{
    std::string text;
    text.reserve(utf8Text.size() + utf8Text.size() / 16 + 2);
    for (std::size_t i = 0; i < utf8Text.size(); ++i) {
        const char c = utf8Text[i];
        if (c == '\r' || c == '\n') {
            text += "\r\n";
            if (c == '\r' && i + 1 < utf8Text.size() && utf8Text[i + 1] == '\n')
                ++i;
        } else {
            text += c;
        }
    }
    // A text read from a file ends with its last line's break: it gets no second one.
    if (!text.empty() && !text.ends_with("\r\n"))
        text += "\r\n";
    return wasUtf8 || !FitsWindows1252(text) ? text : Utf8ToWindows1252(text);
}

} // namespace bookformat
