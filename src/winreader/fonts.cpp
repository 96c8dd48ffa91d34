#include "winreader/fonts.h"

#include "winreader/wintext.h"

#include <algorithm>
#include <cwchar>

namespace winreader {

Font::Font(const bookformat::FontSpec& spec)
{
    HDC screen = GetDC(nullptr);
    const int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    LOGFONTW font{};
    font.lfHeight = -MulDiv(spec.size > 0 ? spec.size : 8, pixelsPerInch, 72);
    font.lfWeight = (spec.style & bookformat::FontSpec::Bold) ? FW_BOLD : FW_NORMAL;
    font.lfItalic = (spec.style & bookformat::FontSpec::Italic) != 0;
    font.lfUnderline = (spec.style & bookformat::FontSpec::Underline) != 0;
    font.lfStrikeOut = (spec.style & bookformat::FontSpec::StrikeOut) != 0;
    font.lfCharSet = DEFAULT_CHARSET;
    const std::wstring name = Wide(spec.name);
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
