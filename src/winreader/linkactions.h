// What a click on a HyperText phrase, and a book's opening or closing command, does in this
// runtime: the format library decides, this runs what it decided.
#pragma once

#include "format/book/booklayout.h"
#include "format/records/recordlayout.h"

#include <string>
#include <windows.h>

namespace winreader {

// The phrase's entry shown or run; the reader is told when the book holds none.
void OpenPhrase(const bookformat::CompiledBook& book, const std::string& phrase, HWND owner);

// A presentation's opening or closing command, with the book's title as its caption; `owner`
// names it for messages ("The opening command").
void RunBookCommand(const bookformat::CompiledBook& book, const bookformat::CommandRecord& command,
                    const std::string& owner, HWND window);

} // namespace winreader
