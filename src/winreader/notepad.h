// The notepad a link opens: a plain text file of the book's folder, to read, change, save under
// any name, find and replace in, and print.
#pragma once

#include <string>
#include <windows.h>

namespace winreader {

// `file` (UTF-8) may be empty, or not yet exist: the notepad then starts empty.
void OpenNotepad(const std::string& file, HWND owner);

} // namespace winreader
