// How deep the groups of rich text nest, and the text with the deepest groups flattened: the
// Windows reader's rich-text control fails on text nested a few dozen groups deep, so it is handed
// the text with every group beyond kMaxRtfNesting opened into the group around it (their words
// stay, in the formatting that group gives them, as the Linux reader reads such text).
#pragma once

#include <string>
#include <string_view>

namespace bookformat {

inline constexpr int kMaxRtfNesting = 30;

// The deepest nesting of the text's groups ({ and } that are not escaped or \bin data).
int RtfNestingDepth(std::string_view rtf);

// The text with the braces of every group deeper than `maxDepth` left out, the rest byte for byte.
std::string FlattenRtfNesting(std::string_view rtf, int maxDepth = kMaxRtfNesting);

// What --verify and the builder say of a chapter nested deeper: "The chapter "X" nests its text
// 35 groups deep; the Windows reader shows it flattened to 30."
std::string FlattenedChapterNote(std::string_view menuEntry, int depth);

} // namespace bookformat
