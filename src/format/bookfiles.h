// Which files a book may open: bare names of its own folder, whoever made the book. A name with a
// folder part, a drive or ".." is refused wherever a book is built, copied or played, so a book
// cannot reach outside its folder. (Whether a bare name is a link leading elsewhere is the file
// system's to tell: the runtimes check that too.)
#pragma once

#include "format/codes.h"

#include <string>
#include <string_view>
#include <vector>

namespace bookformat {

// Whether the name has no folder part, drive, control character and is not "." or "..".
bool IsBareFileName(std::string_view name);

// "`owner` names X, which is not a file of the book's folder." (`owner` says which record or
// entry, for example: The chapter "One").
std::string NotABookFileMessage(std::string_view owner, std::string_view name);

// The files of the book a command value of the type opens, each of which must be a bare name:
// a show's picture, sound and video, a program (not its arguments), a page that is not a web
// address, a notepad file.
std::vector<std::string> FilesOpenedBy(HyperTextType type, std::string_view value);

} // namespace bookformat
