#include "format/records/fontstring.h"

#include "format/formaterror.h"
#include "format/text/numbers.h"

namespace bookformat {

namespace {

// The text up to the first blank, taken off `rest`; empty (and `rest` kept) when it has none.
std::string_view firstWord(std::string_view& rest)
{
    const std::size_t blank = rest.find(' ');
    if (blank == std::string_view::npos)
        return {};
    const std::string_view word = rest.substr(0, blank);
    rest.remove_prefix(blank + 1);
    return word;
}

std::int32_t number(std::string_view word)
{
    const std::optional<std::int32_t> value = ParseInteger(word);
    if (!value)
        throw ConvertError(std::string(word));
    return *value;
}

} // namespace

void ApplyFontText(std::string_view text, StoredFont& font)
{
    std::string_view rest = text;
    font.size = number(firstWord(rest));
    font.color = number(firstWord(rest));
    font.style = static_cast<std::uint8_t>(number(firstWord(rest)) & 0x0F);
    font.name = std::string(rest);
}

StoredFont BarFont(std::string_view text)
{
    StoredFont font;
    try {
        ApplyFontText(text, font);
    } catch (const ConvertError&) {
        font = StoredFont{};
    }
    return font;
}

std::string FontText(const StoredFont& font)
{
    return std::to_string(font.size) + ' ' + std::to_string(font.color) + ' ' +
           std::to_string(font.style) + ' ' + font.name;
}

} // namespace bookformat
