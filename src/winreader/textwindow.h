// The text window of a reader screen: a read-only rich-text control (RichEdit 5.0), sunken, with a
// 10-pixel margin, on the display's text colour. It shows a book's rich text or plain text and
// finds the HyperText phrase a reader clicks.
#pragma once

#include "format/records/recordlayout.h"

#include <string>
#include <string_view>
#include <windows.h>

namespace winreader {

// Where a display's text window lies on a screen area: filling it, or at the display's rectangle
// from the area's top left.
RECT TextPlace(const bookformat::DisplayRecord& display, const RECT& area);

class TextWindow
{
public:
    TextWindow(HWND parent, COLORREF background);

    HWND handle() const { return m_edit; }
    void place(const RECT& area);
    // Rich text (it starts with "{\rtf"), or plain text in UTF-8 or Windows-1252.
    void load(std::string_view text);
    // Clicks reach the parent as EN_MSGFILTER notifications.
    void watchClicks();

    // The HyperText phrase under a point of the control (UTF-8); "" when the point is on no
    // underlined character.
    std::string phraseAt(POINT point) const;
    // For --screen-report: every phrase in view, with the screen point of its middle, then their
    // number ("phrases: 6").
    void reportPhrases() const;

private:
    HWND m_edit = nullptr;
};

} // namespace winreader
