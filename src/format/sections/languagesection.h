// The book's language: a BCP 47 tag ("ru", "ja", "pt-BR") kept in a section "[^LANGUAGE^]" of the
// HyperText entry file (source BOOK), so the project file's records keep their layout.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace bookformat {

inline constexpr std::string_view kLanguageName = "^LANGUAGE^";
inline constexpr std::string_view kLanguageSource = "BOOK";

// Whether the text has the form of a language tag: 2 to 8 letters, then "-" and 1 to 8 letters or
// digits, any number of times, 35 characters at most.
bool IsLanguageTag(std::string_view tag);

// The section's lines, header to the empty line after it.
std::vector<std::string> LanguageSectionLines(std::string_view tag);
// The tag the section holds (its "language=" line, blanks trimmed); empty when it holds none or a
// text of another form (a damaged or hand-made file).
std::string StoredLanguage(const std::vector<std::string>& sectionLines);

} // namespace bookformat
