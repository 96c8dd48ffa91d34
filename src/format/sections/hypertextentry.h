// HyperText entries: one section per phrase, source "HYPER", in the book's HyperText file. An
// entry is read as the section file gives it: the name, "source=HYPER", "type=N", then the
// command or the display's lines, then "]". Texts are UTF-8.
#pragma once

#include "format/records/storedcodes.h"

#include <string>
#include <string_view>
#include <vector>

namespace bookformat {

inline constexpr std::string_view kHyperSource = "HYPER";

// The type of an entry (line 2, "type=N"); None when there is none.
HyperTextType EntryType(const std::vector<std::string>& lines);
// What follows the "=" of one of an entry's "key=value" lines (the whole line without one).
std::string_view EntryLineValue(std::string_view line);
// The command of an entry (line 3, "command=..."); empty when there is none.
std::string EntryCommand(const std::vector<std::string>& lines);

// Names longer than this are shown cut, with "...": a damaged or hostile file's name of
// megabytes would keep a list or a caption busy for minutes.
inline constexpr std::size_t kMaxShownEntryName = 200;
// At most kMaxShownEntryName characters of the name, then "..." when it was longer.
std::string ShownEntryName(std::string_view name);
// The phrase of an entry as a window's caption: its name without brackets, shown cut.
std::string EntryCaption(const std::vector<std::string>& lines);

} // namespace bookformat
