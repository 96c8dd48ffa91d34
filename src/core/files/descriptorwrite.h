// Writing the whole of a buffer to an open file descriptor.
#pragma once

#include <cstddef>

// Writes every byte, going on after short and interrupted writes. 0 when all are written, else
// the error number of the failure (ENOSPC when the system wrote nothing and gave no error).
int WriteAllTo(int fd, const char* bytes, std::size_t size);
