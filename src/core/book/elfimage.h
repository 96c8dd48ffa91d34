// Where a program's own ELF image ends in its file: the e-book is whatever follows it.
#pragma once

#include <QByteArray>

// The end of the ELF image (headers, segments, sections and section table), or -1 when the bytes
// are not a 64-bit little-endian ELF file.
qint64 ElfImageEnd(const QByteArray& file);
