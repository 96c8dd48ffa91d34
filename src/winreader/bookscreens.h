// The book's own screens: the introduction, the table of contents and the chapters.
#pragma once

#include "format/book/booklayout.h"

#include <cstddef>
#include <windows.h>

namespace winreader {

void ShowIntroduction(const bookformat::CompiledBook& book, HWND owner);
// The chapter menu, from which the reader opens chapters until closing it.
void ShowTableOfContents(const bookformat::CompiledBook& book, HWND owner);
void ShowChapter(const bookformat::CompiledBook& book, std::size_t index, HWND owner);

} // namespace winreader
