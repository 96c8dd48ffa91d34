// Which files a book may open: bare names of its own folder, whoever made the book. A name with a
// folder part, a drive or ".." is refused wherever a book is built, copied or played, so a book
// cannot reach outside its folder. (Whether a bare name is a link leading elsewhere is the file
// system's to tell: the runtimes check that too.)
#pragma once

#include "format/records/storedcodes.h"

#include <string>
#include <string_view>
#include <vector>

namespace bookformat {

// Whether the UTF-8 text holds a character that reorders the text around it when shown
// (U+202A to U+202E, U+2066 to U+2069): with one, "exe.txt" can pass for "txt.exe".
bool HoldsDirectionControl(std::string_view text);

// Whether the name has no folder part, drive, control character (direction controls included)
// and is not "." or "..".
bool IsBareFileName(std::string_view name);

// Whether the name is a web page's (.htm or .html in any letter case): the only files a page link
// opens, since the desktop's opener would start anything else.
bool IsWebPageName(std::string_view name);

// "`owner` names X, which is not a file of the book's folder." (`owner` says which record or
// entry, for example: The chapter "One").
std::string NotABookFileMessage(std::string_view owner, std::string_view name);

// "`owner` names X, which is not a web page of the book."
std::string NotAWebPageMessage(std::string_view owner, std::string_view name);

// The files of the book a command value of the type opens, each of which must be a bare name:
// a show's picture, sound and video, a program (not its arguments), a page that is not a web
// address, a notepad file.
std::vector<std::string> FilesOpenedBy(HyperTextType type, std::string_view value);

} // namespace bookformat
