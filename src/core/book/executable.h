// Making the executable e-book: the reader runtime followed by the compiled book.
#pragma once

#include "core/project/workingstate.h"

// Compiles the book and writes base + ".EXE"; false after a message when it cannot. An executable
// left from an earlier build is replaced only by a complete new one.
bool MakeExecutable(WorkingState& state);

// The executable's name in the project directory (the current directory): BASE.EXE, or the file
// whose name differs from it only in letter case, as a book built on another system may have.
QString ExecutableName(const WorkingState& state);
