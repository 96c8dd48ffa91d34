#include "winreader/fonts.h"

#include "winreader/wintext.h"

#include <algorithm>
#include <cwchar>

namespace winreader {

Font::Font(const bookformat::StoredFont& stored)
{
    HDC screen = GetDC(nullptr);
    const int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    LOGFONTW font{};
    font.lfHeight = -MulDiv(stored.size > 0 ? stored.size : 8, pixelsPerInch, 72);
    font.lfWeight = (stored.style & bookformat::StoredFont::Bold) ? FW_BOLD : FW_NORMAL;
    font.lfItalic = (stored.style & bookformat::StoredFont::Italic) != 0;
    font.lfUnderline = (stored.style & bookformat::StoredFont::Underline) != 0;
    font.lfStrikeOut = (stored.style & bookformat::StoredFont::StrikeOut) != 0;
    font.lfCharSet = DEFAULT_CHARSET;
    const std::wstring name = Wide(stored.name);
    std::wcsncpy(font.lfFaceName, name.c_str(), LF_FACESIZE - 1);
    m_font = CreateFontIndirectW(&font);
}

Font::~Font()
{
    if (m_font)
        DeleteObject(m_font);
}

Font& Font::operator=(Font&& other) noexcept
{
    std::swap(m_font, other.m_font);
    return *this;
}

void DrawFontText(HDC dc, const Font& font, COLORREF colour, const std::wstring& text, RECT area,
                  UINT format)
{
    HGDIOBJ old = SelectObject(dc, font.handle());
    SetTextColor(dc, colour);
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, text.c_str(), int(text.size()), &area, format | DT_NOPREFIX);
    SelectObject(dc, old);
}

} // namespace winreader
