// What a screen shows behind everything else: its colour, a picture stretched over it or a
// wallpaper tiled from its top left, as the book's background asks.
#pragma once

#include "format/reader/background.h"
#include "winreader/picture.h"

#include <string>
#include <windows.h>

namespace winreader {

class Backdrop
{
public:
    Backdrop() = default;
    // Reads the background's picture. `ownColour` is what the screen shows when the background
    // is of no kind or refused. Returns what the reader is told when the picture cannot be
    // shown (the colour then stands in for it), or "".
    std::string load(const bookformat::Background& background, COLORREF ownColour);

    bool refused() const { return m_plan.look == bookformat::BackgroundLook::Refused; }
    // Starts getting a stretched picture ready for a paint of that size to come.
    void prepare(SIZE size) const;
    void paint(HDC dc, const RECT& area) const;

private:
    std::string readPicture();

    bookformat::BackgroundPlan m_plan;
    COLORREF m_colour = 0;
    Picture m_picture;
};

} // namespace winreader
