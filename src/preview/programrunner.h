// RunProgram: starts a book's program and waits for it to end.
#pragma once

#include "core/project/codes.h"

#include <QString>

// An executable program runs with its parameters, a Windows program with a document of the book.
// The program is looked for in the project directory first, then on the PATH; a program that cannot
// be started does nothing.
void RunProgram(HyperTextType mode, const QString& value, const QString& projectDir);
