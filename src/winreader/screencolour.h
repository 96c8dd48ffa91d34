// A colour the book stores ($00BBGGRR, or a system colour code with the high bit set) as the
// screen shows it.
#pragma once

#include "format/records/recordlayout.h"

#include <windows.h>

namespace winreader {

COLORREF ScreenColour(bookformat::Colour colour);

} // namespace winreader
