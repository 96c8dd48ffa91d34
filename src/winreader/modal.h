// Running a window of the book modally over its owner, centred on the screen, until it closes;
// Enter and Escape reach it as OK and Cancel.
#pragma once

#include <windows.h>

namespace winreader {

// Sizes the window to the client size, shows it and runs its messages until `closed` is set.
void RunModal(HWND window, HWND owner, SIZE client, const bool& closed);

} // namespace winreader
