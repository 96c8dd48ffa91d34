// The book's introduction: one section "[^INTRODUCTION^]" of the HyperText entry file whose text
// is the introduction's rich text. Unlike the other sections, it is recognised by the first seven
// characters of its header line, "[^INTRO". Texts are UTF-8; contents are a file's bytes after
// its byte-order mark.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bookformat {

inline constexpr std::string_view kIntroName = "^INTRODUCTION^";
inline constexpr std::string_view kIntroSource = "INTRO";

// The section's lines, header to "]", around the text lines.
std::vector<std::string> IntroSectionLines(const std::vector<std::string>& textLines);

// The text lines of the introduction (of every one, where a damaged file holds more); nothing
// when the file holds none.
std::optional<std::vector<std::string>> FindIntroText(std::string_view content, bool utf8);

// The content with each introduction replaced by `section` (in the file's encoding).
std::string ReplaceIntroSections(std::string_view content, std::string_view section);

} // namespace bookformat
