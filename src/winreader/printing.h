// Printing a rich-text control's text on the printer the reader picks, page by page.
#pragma once

#include <string>
#include <windows.h>

namespace winreader {

// Asks for the printer and prints; the reader is told when printing fails.
void PrintRichText(HWND edit, const std::string& documentName, HWND owner);
// The system's printer setup dialog; the printer chosen is used by the next print.
void PrinterSetup(HWND owner);

} // namespace winreader
