// --screen-report: for the tests under Wine, the runtime prints a line when a screen is first
// painted ("painted KestrinBackground 0,0 1024x768") and closed, the text of every message box
// before it shows, and the phrases a chapter shows ("phrase: Paris at 200,140"), so that a test can
// wait for a screen, click where the reader would, and read what the reader was told.
#pragma once

#include <string>
#include <string_view>
#include <windows.h>

namespace winreader {

void EnableScreenReport();
void ReportMessage(std::string_view kind, std::string_view text);
bool ScreenReportEnabled();
// --startup-report: for the benchmarks, prints the time from the process's start until the first
// screen of `screenClass` is painted, and the peak memory, then ends the program.
void EnableStartupReport(const std::wstring& screenClass);
// Once per window: its class and where its inside (client area and menu bar) lies on the screen.
void ReportPainted(HWND window);
// "closed <class>", for a window whose painting was reported.
void ReportClosed(HWND window);

} // namespace winreader
