// Whole files of the reader's disk, read and written through the Windows API.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace winreader {

// The bytes of a regular file (not a device, a pipe or a folder) of at most `limit` bytes; false
// when it cannot be read or is larger.
bool ReadWholeFile(const std::wstring& name, std::int64_t limit, std::string& bytes);

// Whether the name is a file of the book's folder (the current folder) on the disk as well: a bare
// name, and not a link or junction whose real file lies elsewhere. A name of no file passes (its
// reader is told that it is missing).
bool IsBookFileOnDisk(std::string_view name);

enum class WriteOutcome
{
    Written,
    ReadOnly, // the file is marked read-only: the reader's way of keeping it
    Failed,
};

// Writes the file whole or not at all: the bytes go to a file beside it, which then takes its
// place. A read-only file is never replaced. Unless written, the file is as it was.
WriteOutcome WriteWholeFile(const std::wstring& name, const std::string& bytes);

} // namespace winreader
