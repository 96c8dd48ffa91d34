// The reader's message boxes, with the captions and texts of the Linux runtime's.
#pragma once

#include <string>
#include <windows.h>

namespace winreader {

void ShowError(const std::string& text, HWND owner = nullptr);
// Yes or No; closing the box counts as No.
void ShowInformation(const std::string& text, HWND owner = nullptr);
bool Confirm(const std::string& text, HWND owner = nullptr);
// IDYES, IDNO or IDCANCEL.
int AskYesNoCancel(const std::string& text, HWND owner = nullptr);

} // namespace winreader
