// --screen-report: for the tests under Wine, the runtime prints a line when a screen is first
// painted ("painted KestrinBackground 0,0 1024x768") and the text of every message box before it
// shows, so that a test can wait for a screen and read what the reader was told.
#pragma once

#include <string_view>
#include <windows.h>

namespace winreader {

void EnableScreenReport();
void ReportMessage(std::string_view kind, std::string_view text);
// Once per window: its class and its place on the screen.
void ReportPainted(HWND window);

} // namespace winreader
