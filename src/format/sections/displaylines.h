// Display sections: a DisplayRecord and a pop-up's rich text written as lines of a section, and
// the colour strings those lines use. Texts are UTF-8.
#pragma once

#include "format/records/recordlayout.h"

#include <string>
#include <string_view>
#include <vector>

namespace bookformat {

// "clSilver" for a colour of the name table, "$00FF8040" for any other.
std::string ColourToString(Colour colour);
// A name of the table (any case) or an integer in decimal or "$" hexadecimal; raises ConvertError.
Colour StringToColour(std::string_view text);

// The lines of a display section, header to the empty line after the terminator.
std::vector<std::string> DisplaySectionLines(std::string_view name, std::string_view source,
                                             int typeCode, const DisplayRecord& display,
                                             const std::vector<std::string>& textLines);

// The rich text of a section's text lines, as a rich-text control reads it: the lines joined by
// CR LF, in Windows-1252 ('?' for a character it has not).
std::string RtfFromLines(const std::vector<std::string>& textLines);

// Reads the record and the text lines from a section as the section file gives it. RLTop and
// RLLeft keep what the record held. Raises ConvertError for a bad number or colour, and
// FormatError for a section too short to hold a display.
void ParseDisplayEntry(const std::vector<std::string>& lines, DisplayRecord& display,
                       std::vector<std::string>& textLines);

} // namespace bookformat
