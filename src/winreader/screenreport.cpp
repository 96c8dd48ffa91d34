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

bool ScreenReportEnabled()
{
    return g_enabled;
}

namespace {

std::set<HWND>& reported()
{
    static std::set<HWND> windows;
    return windows;
}

// The window's inside on the screen: its client area and its menu bar.
RECT inside(HWND window)
{
    RECT place{};
    GetClientRect(window, &place);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&place), 2);
    if (GetMenu(window)) {
        MENUBARINFO bar{};
        bar.cbSize = sizeof bar;
        if (GetMenuBarInfo(window, OBJID_MENU, 0, &bar))
            place.top = bar.rcBar.top;
    }
    return place;
}

} // namespace

void ReportClosed(HWND window)
{
    if (reported().erase(window) == 0)
        return;
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    WriteOutput("closed " + Utf8(name) + "\n");
}

void ReportPainted(HWND window)
{
    if (!g_enabled || !reported().insert(window).second)
        return;
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    const RECT place = inside(window);
    WriteOutput("painted " + Utf8(name) + " " + std::to_string(place.left) + "," +
                std::to_string(place.top) + " " + std::to_string(place.right - place.left) + "x" +
                std::to_string(place.bottom - place.top) + "\n");
}

} // namespace winreader
