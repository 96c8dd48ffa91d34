#include "winreader/screenreport.h"

#include "winreader/console.h"
#include "winreader/wintext.h"

#include <set>
#include <string>

namespace winreader {

namespace {

bool g_enabled = false;

} // namespace

void EnableScreenReport()
{
    g_enabled = true;
}

void ReportMessage(std::string_view kind, std::string_view text)
{
    if (g_enabled)
        WriteOutput(std::string(kind) + ": " + std::string(text) + "\n");
}

void ReportPainted(HWND window)
{
    static std::set<HWND> reported;
    if (!g_enabled || !reported.insert(window).second)
        return;
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    RECT place{};
    GetWindowRect(window, &place);
    WriteOutput("painted " + Utf8(name) + " " + std::to_string(place.left) + "," +
                std::to_string(place.top) + " " + std::to_string(place.right - place.left) + "x" +
                std::to_string(place.bottom - place.top) + "\n");
}

} // namespace winreader
