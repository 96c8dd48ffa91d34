#include "winreader/screencolour.h"

namespace winreader {

COLORREF ScreenColour(bookformat::Colour colour)
{
    const auto value = static_cast<std::uint32_t>(colour);
    if (value == 0x1FFFFFFF) // no colour: the face of the system's windows
        return GetSysColor(COLOR_BTNFACE);
    if (value & 0x80000000)
        return GetSysColor(int(value & 0xFF));
    return value & 0xFFFFFF; // the same byte order as COLORREF
}

} // namespace winreader
