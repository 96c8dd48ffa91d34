// Printing a rich-text control's text on the printer the reader picks, page by page.
#pragma once

#include <string>
#include <windows.h>

namespace winreader {

// Asks for the printer and prints the control's formatted text; the reader is told when printing
// fails. Where the control cannot print (Wine's), its text is printed as lines.
void PrintRichText(HWND edit, const std::string& documentName, HWND owner);
// The same, the text always printed as lines in the control's font: the notepad's way.
void PrintLines(HWND edit, const std::string& documentName, HWND owner);
// The system's printer setup dialog; the printer chosen is used by the next print.
void PrinterSetup(HWND owner);

} // namespace winreader
