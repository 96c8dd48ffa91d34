// Fonts of bars and boxes as the book stores them: "size colour style name", for example
// "16 0 1 Times New Roman" (style: 1 bold, 2 italic, 4 underline, 8 strike-out). Texts are UTF-8.
#pragma once

#include "format/records/recordlayout.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace bookformat {

struct StoredFont
{
    enum Style : std::uint8_t
    {
        Bold = 1,
        Italic = 2,
        Underline = 4,
        StrikeOut = 8
    };

    int size = 8;
    Colour color = 0;
    std::uint8_t style = 0;
    std::string name = "MS Sans Serif";
};

// Reads size, colour and style into `font` and the rest of the text as its name; raises
// ConvertError when one of the three numbers does not read (the fields before it already set).
void ApplyFontText(std::string_view text, StoredFont& font);
// The font of a bar or box: the standard font where its text is damaged.
StoredFont BarFont(std::string_view text);

std::string FontText(const StoredFont& font);

} // namespace bookformat
