// The program background: a window over the whole screen behind every screen of the book,
// showing the book's program background (colour, stretched picture or wallpaper tiles).
#pragma once

#include "format/records/recordlayout.h"
#include "winreader/backdrop.h"

#include <string>
#include <windows.h>

namespace winreader {

class BackgroundWindow
{
public:
    // Shows the window; a picture that cannot be shown is told with a message over it, and the
    // colour stands in for it.
    BackgroundWindow(const bookformat::ConfigRecord& config);
    ~BackgroundWindow();
    BackgroundWindow(const BackgroundWindow&) = delete;
    BackgroundWindow& operator=(const BackgroundWindow&) = delete;

    HWND handle() const { return m_window; }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM w, LPARAM l);
    HWND m_window = nullptr;
    Backdrop m_backdrop;
};

} // namespace winreader
