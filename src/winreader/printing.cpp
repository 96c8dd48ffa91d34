#include "winreader/printing.h"

#include "winreader/messages.h"
#include "winreader/wintext.h"

#include <commdlg.h>
#include <richedit.h>

namespace winreader {

namespace {

// The printer chosen in Printer Setup, kept for the next print.
struct PrinterChoice
{
    HGLOBAL devMode = nullptr;
    HGLOBAL devNames = nullptr;
};

PrinterChoice& choice()
{
    static PrinterChoice printer;
    return printer;
}

// Prints every page of the control's text on the printer's page less a margin of an inch.
bool printPages(HWND edit, HDC printer, const std::wstring& name)
{
    const int width = GetDeviceCaps(printer, PHYSICALWIDTH);
    const int height = GetDeviceCaps(printer, PHYSICALHEIGHT);
    const int dpiX = GetDeviceCaps(printer, LOGPIXELSX);
    const int dpiY = GetDeviceCaps(printer, LOGPIXELSY);
    if (dpiX <= 0 || dpiY <= 0)
        return false;
    FORMATRANGE range{};
    range.hdc = printer;
    range.hdcTarget = printer;
    range.rcPage = RECT{0, 0, MulDiv(width, 1440, dpiX), MulDiv(height, 1440, dpiY)};
    range.rc = RECT{1440, 1440, range.rcPage.right - 1440, range.rcPage.bottom - 1440};
    // In the control's own positions: the window text counts a paragraph break twice.
    GETTEXTLENGTHEX count{GTL_NUMCHARS | GTL_PRECISE, 1200};
    const LONG length = LONG(SendMessageW(edit, EM_GETTEXTLENGTHEX, WPARAM(&count), 0));
    DOCINFOW document{};
    document.cbSize = sizeof document;
    document.lpszDocName = name.c_str();
    if (StartDocW(printer, &document) <= 0)
        return false;
    // A page that takes nothing more (the rest is a paragraph mark the control does not
    // print) is the end of the text, not a failure.
    bool printed = true;
    for (LONG first = 0; printed && first < length;) {
        range.chrg = CHARRANGE{first, -1};
        printed = StartPage(printer) > 0;
        const LONG next = LONG(SendMessageW(edit, EM_FORMATRANGE, TRUE, LPARAM(&range)));
        printed = printed && EndPage(printer) > 0;
        if (next <= first)
            break;
        first = next;
    }
    SendMessageW(edit, EM_FORMATRANGE, FALSE, 0);
    if (printed)
        EndDoc(printer);
    else
        AbortDoc(printer);
    return printed;
}

} // namespace

void PrintRichText(HWND edit, const std::string& documentName, HWND owner)
{
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.hDevMode = choice().devMode;
    dialog.hDevNames = choice().devNames;
    dialog.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE;
    if (!PrintDlgW(&dialog)) {
        if (CommDlgExtendedError() != 0)
            ShowError("No printer is available.", owner);
        return;
    }
    choice().devMode = dialog.hDevMode;
    choice().devNames = dialog.hDevNames;
    const bool printed = printPages(edit, dialog.hDC, Wide(documentName));
    DeleteDC(dialog.hDC);
    if (!printed)
        ShowError("The text could not be printed.", owner);
}

void PrinterSetup(HWND owner)
{
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.hDevMode = choice().devMode;
    dialog.hDevNames = choice().devNames;
    dialog.Flags = PD_PRINTSETUP;
    if (PrintDlgW(&dialog)) {
        choice().devMode = dialog.hDevMode;
        choice().devNames = dialog.hDevNames;
    } else if (CommDlgExtendedError() != 0) {
        ShowError("No printer is available.", owner);
    }
}

} // namespace winreader
