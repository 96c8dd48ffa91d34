// The book's own help file, an HTML page of topics (<section id="N">), opened in the reader's
// browser at the book's help topic.
#pragma once

#include "format/records/recordlayout.h"

#include <windows.h>

namespace winreader {

void ShowBookHelp(const bookformat::ConfigRecord& config, HWND owner);

} // namespace winreader
