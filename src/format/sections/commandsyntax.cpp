#include "format/sections/commandsyntax.h"

#include "format/text/casefolding.h"
#include "format/text/utf8.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>

namespace bookformat {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The blanks a shell and a number's end allow: ASCII white space and Unicode's space
// separators.
bool isBlank(char32_t c)
{
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
           c == 0x205F || c == 0x3000;
}

// A number of tenths: "-"? digits and trailing blanks, fitting 32 bits.
std::optional<std::int64_t> tenthsOf(std::string_view element)
{
    std::size_t end = element.size();
    while (end > 0 && static_cast<unsigned char>(element[end - 1]) < 0x80 &&
           isBlank(static_cast<unsigned char>(element[end - 1])))
        --end;
    std::string_view digits = element.substr(0, end);
    const bool negative = !digits.empty() && digits.front() == '-';
    if (negative)
        digits.remove_prefix(1);
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), isDigit))
        return std::nullopt;
    std::int64_t value = 0;
    for (const char c : digits) {
        value = value * 10 + (c - '0');
        if (value > std::int64_t(INT_MAX) + 1)
            return std::nullopt;
    }
    value = negative ? -value : value;
    if (value > INT_MAX)
        return std::nullopt;
    return value;
}

bool containsAny(std::string_view text, std::initializer_list<std::string_view> parts)
{
    return std::any_of(parts.begin(), parts.end(),
                       [&](std::string_view part) { return text.find(part) != text.npos; });
}

} // namespace

ShowCommandParts ParseShowCommand(std::string_view value)
{
    const std::string upper = AsciiUpper(value);
    ShowCommandParts parts;
    std::size_t start = 0;
    for (int i = 0; i < 6 && start <= upper.size(); ++i) {
        const std::size_t comma = std::min(upper.find(',', start), upper.size());
        const std::string_view element = std::string_view(upper).substr(start, comma - start);
        start = comma + 1;
        if (containsAny(element, {".BMP", ".JPG", ".WMF"}))
            parts.picture = element;
        if (containsAny(element, {".WAV", ".MID"}))
            parts.sound = element;
        if (containsAny(element, {".AVI"}))
            parts.video = element;
        if (const auto tenths = tenthsOf(element))
            parts.delayMs =
                static_cast<int>(std::clamp<std::int64_t>(*tenths * 100, INT_MIN, INT_MAX));
    }
    return parts;
}

bool IsWebAddress(std::string_view value)
{
    std::string lower(value.substr(0, 7));
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; });
    if (lower == "mailto:")
        return true;
    const auto isLetter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    const auto isSchemeChar = [&](char c) {
        return isLetter(c) || isDigit(c) || c == '+' || c == '.' || c == '-';
    };
    const std::size_t end = value.find("://");
    if (end == value.npos || end < 2 || !isLetter(value.front()))
        return false;
    return std::all_of(value.begin() + 1, value.begin() + end, isSchemeChar);
}

std::vector<std::string> SplitCommandLine(std::string_view line)
{
    std::vector<std::string> words;
    std::string word;
    int quotes = 0;
    bool quoted = false;
    for (std::size_t at = 0; at < line.size();) {
        const Utf8Char c = ReadUtf8Char(line, at);
        const std::string_view bytes = line.substr(at, c.length);
        at += c.length;
        if (c.code == '"') {
            if (++quotes == 3) {
                quotes = 0;
                word += '"';
            }
            continue;
        }
        if (quotes == 1)
            quoted = !quoted;
        quotes = 0;
        if (!quoted && isBlank(c.code)) {
            if (!word.empty())
                words.push_back(std::move(word));
            word.clear();
        } else {
            word += bytes;
        }
    }
    if (!word.empty())
        words.push_back(std::move(word));
    return words;
}

std::vector<std::string> ProgramArguments(HyperTextType mode, std::string_view value,
                                          std::string_view bookDir)
{
    if (value.empty())
        return {};
    if (mode == HyperTextType::ExecutableProgram) {
        const std::size_t comma = value.find(',');
        if (comma == value.npos)
            return {std::string(value)};
        std::vector<std::string> words = SplitCommandLine(value.substr(comma + 1));
        words.insert(words.begin(), std::string(value.substr(0, comma)));
        return words;
    }
    const std::size_t space = value.find(' ');
    if (space == value.npos)
        return {std::string(value)};
    return {std::string(value.substr(0, space)),
            std::string(bookDir) + std::string(value.substr(space + 1))};
}

} // namespace bookformat
