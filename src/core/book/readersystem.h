// The system the book's readers use, as the author chose it for the book
// (format/sections/systemsection.h).
#pragma once

#include "format/sections/systemsection.h"

#include <QString>

using bookformat::ReaderSystem;

// The stored choice; Linux for a book that stores none.
ReaderSystem BookReaders(const QString& hyperTextFile);
// "Windows", "Linux", "Windows and Linux", as the author is shown them.
QString ReaderSystemTitle(ReaderSystem system);

// Stores the choice in the file (made when missing), replacing the one stored.
void WriteBookReaders(const QString& hyperTextFile, ReaderSystem system);
