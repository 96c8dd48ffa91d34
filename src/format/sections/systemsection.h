// The system a book's readers use: Windows, Linux or both, which decides the runtime (or the two)
// its executable is built with. Kept in a section "[^READERS^]" of the HyperText entry file
// (source BOOK), so the project file's records keep their layout; a book that stores none was
// made before the choice, for Linux.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bookformat {

enum class ReaderSystem
{
    Linux,
    Windows,
    Both,
};

inline constexpr std::string_view kReadersName = "^READERS^";
inline constexpr std::string_view kReadersSource = "BOOK";

// "linux", "windows", "both"; and back, in any letter case.
std::string_view ReaderSystemName(ReaderSystem system);
std::optional<ReaderSystem> ReaderSystemNamed(std::string_view name);

// The section's lines, header to the empty line after it.
std::vector<std::string> ReadersSectionLines(ReaderSystem system);
// The system the section holds (its "readers=" line); nothing when it holds none or a text of
// another form.
std::optional<ReaderSystem> StoredReaders(const std::vector<std::string>& sectionLines);

} // namespace bookformat
