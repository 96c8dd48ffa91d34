// List marks the Windows reader shows as text. Its rich-text control numbers a list paragraph
// itself, and draws a bullet in the Symbol font whatever the file asks (a box or a dot where the
// font is missing, as under Wine); the file carries the mark it means for readers that do not
// number, in a {\pntext ...} group. So the control is handed the text without its numbering
// ({\*\pn ...} left out) and with that mark as the paragraph's first words; a mark in the Symbol
// or Wingdings font there, and in a {\listtext ...} group, becomes the Unicode character it draws.
#pragma once

#include <string>
#include <string_view>

namespace bookformat {

// True when the text has list marks for ListMarksAsText to turn.
bool HasRtfListMarks(std::string_view rtf);

std::string ListMarksAsText(std::string_view rtf);

} // namespace bookformat
