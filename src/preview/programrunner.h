// Starting a book's program: which program and arguments a command value stands for, and
// running it.
#pragma once

#include "core/project/codes.h"

#include <QString>
#include <QStringList>

#include <optional>

struct ProgramCommand
{
    QString program; // as found: the book's own file, or one from the system path
    QStringList arguments;
};

// An executable program runs with its parameters, a Windows program with a document of the book.
// The program is looked for in the project directory first, then on the PATH, in both without
// regard to letter case when the exact name is not there; the document likewise in the book's
// folder. Nothing for an empty value.
std::optional<ProgramCommand> FindProgramCommand(HyperTextType mode, const QString& value,
                                                 const QString& projectDir);

// Starts the command and waits for it to end. A program that cannot be started is reported
// ("The program X could not be started.") and gives false.
bool RunProgramCommand(const ProgramCommand& command, const QString& projectDir);
void RunProgram(HyperTextType mode, const QString& value, const QString& projectDir);

// The question before a book starts a program: the program as found and its whole argument list.
QString ProgramQuestion(const ProgramCommand& command);
