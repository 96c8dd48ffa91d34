// The program background: a window over the whole screen behind every screen of the book,
// showing the book's program background (colour, stretched picture or wallpaper tiles).
#pragma once

#include "format/background.h"
#include "winreader/picture.h"

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
    // Reads the plan's picture; what the reader is told when it cannot be shown, or "".
    std::string readPicture();
    void paint(HDC dc, const RECT& area) const;

    HWND m_window = nullptr;
    bookformat::BackgroundPlan m_plan;
    COLORREF m_colour = 0;
    Picture m_picture;
};

} // namespace winreader
