// The book's fonts (of bars and boxes) as GDI fonts.
#pragma once

#include "format/records/fontstring.h"

#include <windows.h>

namespace winreader {

// A GDI font owned for the life of the object.
class Font
{
public:
    Font() = default;
    explicit Font(const bookformat::StoredFont& stored);
    ~Font();
    Font(Font&& other) noexcept : m_font(other.m_font) { other.m_font = nullptr; }
    Font& operator=(Font&& other) noexcept;
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    HFONT handle() const { return m_font ? m_font : HFONT(GetStockObject(DEFAULT_GUI_FONT)); }

private:
    HFONT m_font = nullptr;
};

// Draws a line of text in the font and its colour, transparently, with DrawText's `format`.
void DrawFontText(HDC dc, const Font& font, COLORREF colour, const std::wstring& text, RECT area,
                  UINT format);

} // namespace winreader
