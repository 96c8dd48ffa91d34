// The distribution: the executable e-book and every outside file it opens at run time, copied
// into a folder that can be shipped.
#pragma once

#include "core/book/readersystem.h"
#include "core/project/workingstate.h"

#include <QStringList>

#include <functional>

// Asked once for every executable program a HyperText entry names: true includes it.
using IncludeProgram = std::function<bool(const QString& program)>;

// The files the book opens at run time, in order and without duplicates (exact names). A name
// that leaves the book's folder is left out, and a message naming its owner goes to `refused`.
QStringList DistributionFiles(WorkingState& state, const IncludeProgram& include,
                              QStringList* refused = nullptr);

// Whether `folder` is the project directory itself, which a distribution may not go into
// (compared as real paths, links followed, without regard to case).
bool IsProjectDirectory(const QString& folder, const QString& projectDir);
inline const QString kProjectDirectoryRefused =
    QStringLiteral("Files cannot be copied to Project directory.");

// Whether the distribution carries the reader libraries, so that the book runs where Qt is not
// installed.
enum class ReaderLibraries
{
    Leave,
    Include,
};

// Copies the executables for the book's readers and its files into `folder` (made when missing),
// with the reader libraries when asked and a Linux executable goes. False after a message when
// the folder is the project directory, an executable is missing or was made for another system,
// a listed file is missing, a reader library is not found or the folder cannot be made; raises
// the copy errors. The project directory is the current directory again afterwards.
bool CopyDistribution(WorkingState& state, const QString& folder, const IncludeProgram& include,
                      ReaderLibraries libraries = ReaderLibraries::Leave);
// The same for the readers' system given rather than the stored one.
bool CopyDistribution(WorkingState& state, const QString& folder, const IncludeProgram& include,
                      ReaderLibraries libraries, ReaderSystem readers);
