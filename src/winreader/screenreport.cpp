#include "winreader/screenreport.h"

#include "winreader/console.h"
#include "winreader/wintext.h"

#include <cstdint>
#include <cstdio>
#include <psapi.h>
#include <set>
#include <string>

namespace winreader {

namespace {

bool g_enabled = false;
std::wstring g_startupScreen;

// Milliseconds since the process was made, and its peak working set in KB.
void reportStartup()
{
    FILETIME created{}, exited{}, kernel{}, user{}, now{};
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME& time) {
        return (std::uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    const double milliseconds = double(ticks(now) - ticks(created)) / 10000.0;
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    K32GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    char line[160];
    std::snprintf(line, sizeof line, "painted %s after %.1f ms, peak resident %lu KB\n",
                  Utf8(g_startupScreen).c_str(), milliseconds,
                  static_cast<unsigned long>(memory.PeakWorkingSetSize / 1024));
    WriteOutput(line);
    ExitProcess(0);
}

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

void EnableStartupReport(const std::wstring& screenClass)
{
    g_startupScreen = screenClass;
}

void ReportPainted(HWND window)
{
    if (!g_startupScreen.empty()) {
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        if (g_startupScreen == name)
            reportStartup();
    }
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
