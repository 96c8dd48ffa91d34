// Making the executable e-book: a reader runtime followed by the compiled book, for the system
// the book's readers use (Windows, Linux, or both).
#pragma once

#include "core/book/readersystem.h"
#include "core/project/workingstate.h"

#include <QList>

#include <optional>

// One executable of the book: its name in the project directory, the system it runs on (Windows
// or Linux) and the runtime it starts with.
struct BookExecutable
{
    QString name;
    ReaderSystem system;
    QString runtime;
};

// The executables a book is made as for its readers: BASE.EXE for Windows or for Linux alone,
// and for both BASE.EXE for Windows and BASE.BIN for Linux.
QList<BookExecutable> BookExecutables(const WorkingState& state, ReaderSystem readers);

// Compiles the book and writes its executables for the readers' system the book stores; false
// after a message when it cannot. An executable left from an earlier build is replaced only by a
// complete new one.
bool MakeExecutable(WorkingState& state);
// The same for the readers' system given.
bool MakeExecutable(WorkingState& state, ReaderSystem readers);

// The executable's name in the project directory (the current directory): BASE.EXE, or the file
// whose name differs from it only in letter case, as a book built on another system may have.
QString ExecutableName(const WorkingState& state);

// The system an executable's bytes run on: Windows for a PE image ("MZ"), Linux for an ELF one;
// nothing for anything else.
std::optional<ReaderSystem> ExecutableSystem(const QByteArray& start);
