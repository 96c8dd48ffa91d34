#include "winreader/messages.h"

#include "winreader/screenreport.h"
#include "winreader/wintext.h"

namespace winreader {

namespace {

// Texts keep the paragraph breaks of the original design ("\n\r\n\r"); a box shows one line
// break for each.
std::wstring shown(const std::string& text)
{
    std::string lines = text;
    for (std::size_t at = lines.find("\n\r"); at != std::string::npos; at = lines.find("\n\r", at))
        lines.replace(at, 2, "\r\n"), at += 2;
    return Wide(lines);
}

} // namespace

void ShowError(const std::string& text, HWND owner)
{
    ReportMessage("Error", text);
    MessageBoxW(owner, shown(text).c_str(), L"Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

void ShowInformation(const std::string& text, HWND owner)
{
    ReportMessage("Information", text);
    MessageBoxW(owner, shown(text).c_str(), L"Information",
                MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
}

bool Confirm(const std::string& text, HWND owner)
{
    ReportMessage("Confirm", text);
    return MessageBoxW(owner, shown(text).c_str(), L"Confirm",
                       MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL) == IDYES;
}

int AskYesNoCancel(const std::string& text, HWND owner)
{
    ReportMessage("Confirm", text);
    return MessageBoxW(owner, shown(text).c_str(), L"Confirm",
                       MB_YESNOCANCEL | MB_ICONQUESTION | MB_TASKMODAL);
}

} // namespace winreader
