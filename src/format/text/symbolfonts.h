// The characters of the two symbol fonts Word documents use, Symbol and Wingdings: each byte of
// the font read as the Unicode character it draws, so a book shows α or ✓ where the raw byte would
// show a box in every reader.
//
// Word writes a symbol character either as the plain byte or as \uN with N = U+F000 + byte; a
// caller holding U+F020..U+F0FF passes its low byte, the same byte.
#pragma once

#include <string_view>

namespace bookformat {

enum class SymbolFont
{
    None,
    Symbol,
    Wingdings
};

// The symbol font a font name names: "Symbol" or "Wingdings" in any case, blanks around ignored.
// Any other name is None; "Wingdings 2" and "Wingdings 3" lay out other characters.
SymbolFont SymbolFontOf(std::string_view fontName);

// The Unicode character byte `b` of the font stands for; 0 when it stands for none (control bytes,
// unassigned places, the Windows logo of Wingdings) and for every byte of SymbolFont::None.
char32_t SymbolCharacter(SymbolFont font, unsigned char b);

} // namespace bookformat
