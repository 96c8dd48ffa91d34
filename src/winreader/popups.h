// The screens a HyperText entry of text opens: the text pop-up (with its OK button) and the
// graphic-and-text screen, each placed where the author placed it on the design screen.
#pragma once

#include "format/records/recordlayout.h"

#include <string>
#include <windows.h>

namespace winreader {

void ShowTextPopup(const bookformat::DisplayRecord& display, const std::string& rtf,
                   const std::string& caption, HWND owner);
void ShowTextScreen(const bookformat::DisplayRecord& display, const std::string& rtf,
                    const std::string& caption, HWND owner);

} // namespace winreader
