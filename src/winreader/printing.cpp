#include "winreader/printing.h"

#include "winreader/messages.h"
#include "winreader/wintext.h"

#include <commdlg.h>
#include <cstdlib>
#include <richedit.h>
#include <string>

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

// The printer's page less a margin of an inch, in the printer's pixels.
RECT printedArea(HDC printer)
{
    const int dpiX = GetDeviceCaps(printer, LOGPIXELSX);
    const int dpiY = GetDeviceCaps(printer, LOGPIXELSY);
    const int left = dpiX - GetDeviceCaps(printer, PHYSICALOFFSETX);
    const int top = dpiY - GetDeviceCaps(printer, PHYSICALOFFSETY);
    return RECT{left, top, left + GetDeviceCaps(printer, PHYSICALWIDTH) - 2 * dpiX,
                top + GetDeviceCaps(printer, PHYSICALHEIGHT) - 2 * dpiY};
}

// The control's text as the printer's text device writes it: each line wrapped to the page in
// the font the control shows, a new page when the next one does not fit.
bool printText(HWND edit, HDC printer)
{
    const int length = GetWindowTextLengthW(edit);
    std::wstring text(std::size_t(length) + 1, L'\0');
    text.resize(std::size_t(GetWindowTextW(edit, text.data(), length + 1)));
    LOGFONTW look{};
    GetObjectW(HFONT(SendMessageW(edit, WM_GETFONT, 0, 0)), sizeof look, &look);
    // The same point size on paper: the control's font is measured in the screen's pixels.
    HDC screen = GetDC(nullptr);
    const int points = look.lfHeight != 0
                           ? MulDiv(std::abs(look.lfHeight), 72, GetDeviceCaps(screen, LOGPIXELSY))
                           : 10;
    ReleaseDC(nullptr, screen);
    look.lfHeight = -MulDiv(points, GetDeviceCaps(printer, LOGPIXELSY), 72);
    look.lfWidth = 0;
    HFONT font = CreateFontIndirectW(&look);
    HGDIOBJ old = SelectObject(printer, font);
    const RECT page = printedArea(printer);
    bool printed = StartPage(printer) > 0;
    int y = page.top;
    for (std::size_t at = 0; printed && at <= text.size();) {
        std::size_t end = text.find_first_of(L"\r\n", at);
        end = end == std::wstring::npos ? text.size() : end;
        std::wstring line = text.substr(at, end - at);
        at = end + (text.compare(end, 2, L"\r\n") == 0 ? 2 : 1);
        const UINT how = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS;
        RECT place{page.left, y, page.right, y};
        DrawTextW(printer, line.empty() ? L" " : line.c_str(), -1, &place, how | DT_CALCRECT);
        if (place.bottom > page.bottom && y > page.top) {
            printed = EndPage(printer) > 0 && StartPage(printer) > 0;
            OffsetRect(&place, 0, page.top - y);
        }
        DrawTextW(printer, line.c_str(), int(line.size()), &place, how);
        y = place.bottom;
    }
    printed = printed && EndPage(printer) > 0;
    SelectObject(printer, old);
    DeleteObject(font);
    return printed;
}

// Every page of the control's formatted text, by the control itself; false when it formats
// nothing at all (Wine's control does not print), so that the text is printed as lines instead.
bool printFormatted(HWND edit, HDC printer, bool& printed)
{
    const RECT area = printedArea(printer);
    const int dpiX = GetDeviceCaps(printer, LOGPIXELSX);
    const int dpiY = GetDeviceCaps(printer, LOGPIXELSY);
    FORMATRANGE range{};
    range.hdc = printer;
    range.hdcTarget = printer;
    range.rcPage = RECT{0, 0, MulDiv(GetDeviceCaps(printer, PHYSICALWIDTH), 1440, dpiX),
                        MulDiv(GetDeviceCaps(printer, PHYSICALHEIGHT), 1440, dpiY)};
    range.rc = RECT{MulDiv(area.left, 1440, dpiX), MulDiv(area.top, 1440, dpiY),
                    MulDiv(area.right, 1440, dpiX), MulDiv(area.bottom, 1440, dpiY)};
    // In the control's own positions: the window text counts a paragraph break twice.
    GETTEXTLENGTHEX count{GTL_NUMCHARS | GTL_PRECISE, 1200};
    const LONG length = LONG(SendMessageW(edit, EM_GETTEXTLENGTHEX, WPARAM(&count), 0));
    range.chrg = CHARRANGE{0, -1};
    if (length > 0 && SendMessageW(edit, EM_FORMATRANGE, FALSE, LPARAM(&range)) <= 0) {
        SendMessageW(edit, EM_FORMATRANGE, FALSE, 0);
        return false;
    }
    // A page that takes nothing more (the rest is a paragraph mark the control does not
    // print) is the end of the text, not a failure.
    printed = true;
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
    return true;
}

bool printDocument(HWND edit, HDC printer, const std::wstring& name, bool asLines)
{
    if (GetDeviceCaps(printer, LOGPIXELSX) <= 0 || GetDeviceCaps(printer, LOGPIXELSY) <= 0)
        return false;
    DOCINFOW document{};
    document.cbSize = sizeof document;
    document.lpszDocName = name.c_str();
    if (StartDocW(printer, &document) <= 0)
        return false;
    bool printed = false;
    if (asLines || !printFormatted(edit, printer, printed))
        printed = printText(edit, printer);
    if (printed)
        EndDoc(printer);
    else
        AbortDoc(printer);
    return printed;
}

} // namespace

namespace {

void print(HWND edit, const std::string& documentName, HWND owner, bool asLines)
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
    const bool printed = printDocument(edit, dialog.hDC, Wide(documentName), asLines);
    DeleteDC(dialog.hDC);
    if (!printed)
        ShowError("The text could not be printed.", owner);
}

} // namespace

void PrintRichText(HWND edit, const std::string& documentName, HWND owner)
{
    print(edit, documentName, owner, false);
}

void PrintLines(HWND edit, const std::string& documentName, HWND owner)
{
    print(edit, documentName, owner, true);
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
