// RunProgram: starts a book's program and waits for it to end.
#pragma once

#include <QString>

// Mode 4 runs a program with its parameters, mode 9 a program with a document of the book. The
// program is looked for in the project directory first, then on the PATH; a program that cannot
// be started does nothing.
void RunProgram(int mode, const QString& value, const QString& projectDir);
