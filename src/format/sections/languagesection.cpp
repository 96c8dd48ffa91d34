#include "format/sections/languagesection.h"

#include <algorithm>

namespace bookformat {

namespace {

constexpr std::string_view kKey = "language=";

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isLetterOrDigit(char c)
{
    return isLetter(c) || (c >= '0' && c <= '9');
}

std::string_view trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace

bool IsLanguageTag(std::string_view tag)
{
    if (tag.size() > 35)
        return false;
    std::size_t start = 0;
    for (bool first = true;; first = false) {
        const std::size_t end = std::min(tag.find('-', start), tag.size());
        const std::string_view part = tag.substr(start, end - start);
        const std::size_t least = first ? 2 : 1;
        if (part.size() < least || part.size() > 8 ||
            !std::all_of(part.begin(), part.end(), first ? isLetter : isLetterOrDigit))
            return false;
        if (end == tag.size())
            return true;
        start = end + 1;
    }
}

std::vector<std::string> LanguageSectionLines(std::string_view tag)
{
    return {"[" + std::string(kLanguageName) + "]", "source=" + std::string(kLanguageSource),
            std::string(kKey) + std::string(tag), "]", ""};
}

std::string StoredLanguage(const std::vector<std::string>& sectionLines)
{
    for (const std::string& line : sectionLines) {
        if (line.compare(0, kKey.size(), kKey) != 0)
            continue;
        const std::string_view tag = trimmed(std::string_view(line).substr(kKey.size()));
        return IsLanguageTag(tag) ? std::string(tag) : std::string();
    }
    return {};
}

} // namespace bookformat
