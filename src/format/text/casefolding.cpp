#include "format/text/casefolding.h"

#include "format/text/casefoldingtable.h"
#include "format/text/utf8.h"

#include <algorithm>

namespace bookformat {

char32_t FoldCase(char32_t code)
{
    if (code < 0x80)
        return code >= 'A' && code <= 'Z' ? code + ('a' - 'A') : code;
    const auto* found = std::lower_bound(
        kCaseFolding.begin(), kCaseFolding.end(), code,
        [](const std::pair<char32_t, char32_t>& entry, char32_t c) { return entry.first < c; });
    return found != kCaseFolding.end() && found->first == code ? found->second : code;
}

std::string FoldCase(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        const Utf8Char c = ReadUtf8Char(utf8, at);
        AppendUtf8(out, FoldCase(c.code));
        at += c.length;
    }
    return out;
}

std::string AsciiUpper(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper)
        c = AsciiUpper(c);
    return upper;
}

} // namespace bookformat
