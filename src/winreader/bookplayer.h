// Playing a book: the program background, then every screen of the book in its order.
#pragma once

#include "format/book/booklayout.h"

namespace winreader {

void PlayBook(const bookformat::CompiledBook& book);

} // namespace winreader
