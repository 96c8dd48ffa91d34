// Where a runtime's own image ends in its file: an executable e-book is the runtime followed by
// the compiled book, with no marker or trailer, so the book begins where the image's headers say
// the image ends. Both kinds of runtime are read here, with layouts of their own (no system
// header), so that each runtime can find its book on any platform.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace bookformat {

// The end of a 64-bit little-endian ELF image (headers, segments, sections and section table);
// nothing when the bytes are not one or its parts lie outside them.
std::optional<std::size_t> ElfImageEnd(std::string_view file);

// The end of a PE image (headers, sections' raw data, an unstripped image's symbol and string
// tables, a signature's certificate table); nothing when the bytes are not one or its parts lie
// outside them.
std::optional<std::size_t> PeImageEnd(std::string_view file);

// The compiled book after the image of an ELF or PE runtime. Raises CompiledBookError: "the
// program file cannot be read" when the image's headers do not read, "the program holds no book"
// when nothing follows them.
std::string_view BookAfterImage(std::string_view file);

} // namespace bookformat
