// Making the executable e-book: the reader runtime followed by the compiled book.
#pragma once

#include "core/project/workingstate.h"

// Compiles the book and writes base + ".EXE"; false after a message when it cannot. An executable
// left from an earlier build is replaced only by a complete new one.
bool MakeExecutable(WorkingState& state);
