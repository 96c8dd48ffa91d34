// Programs a book starts: an executable program with its parameters, or a Windows program with a
// document of the book. The reader is asked once per program and arguments before it starts.
#pragma once

#include "format/records/storedcodes.h"

#include <string>
#include <vector>
#include <windows.h>

namespace winreader {

void RunProgram(bookformat::HyperTextType mode, const std::string& value, HWND owner);

// The command line of a program and its arguments, quoted as Windows programs read them.
std::wstring CommandLine(const std::wstring& program, const std::vector<std::wstring>& arguments);

} // namespace winreader
