// The book's About box: its caption, icon, program name, version, author and comments, and OK
// (Enter and Escape close it too). Modal over `owner`.
#pragma once

#include "format/records/recordlayout.h"

#include <windows.h>

namespace winreader {

// A missing icon is told instead of the box.
void ShowAboutBox(const bookformat::AboutRecord& about, HWND owner);

} // namespace winreader
