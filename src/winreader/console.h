// Text for the console a reader started the book from (BOOK.EXE --verify): the standard handles
// the program was given, or else the console of the process that started it.
#pragma once

#include <string_view>

namespace winreader {

void WriteOutput(std::string_view utf8);
void WriteError(std::string_view utf8);

} // namespace winreader
