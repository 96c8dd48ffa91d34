// Plain text files of the book's folder as the notepad opens and saves them.
#pragma once

#include <string>
#include <string_view>

namespace bookformat {

// The text of a file (UTF-8): UTF-8 when its bytes are (after a byte-order mark, which is never
// part of the text), otherwise Windows-1252. `utf8` tells which, so that a save keeps it.
std::string DecodePlainText(std::string_view bytes, bool& utf8);

// The bytes a save writes: every line ended by CR LF (a text that is not empty ends with one, so
// that a file saved again is saved as it was read),
// in Windows-1252 where the text fits it and the file was not UTF-8, otherwise in UTF-8.
std::string PlainTextFileBytes(std::string_view utf8Text, bool wasUtf8);

} // namespace bookformat
