// Reading and writing the project file, the chapter list and display files, and opening a
// project. All names are relative to the current directory, which is the project directory.
// Every failing file operation raises InOutError; nothing is rolled back, but no file is ever
// left half-written.
#pragma once

#include "core/files/runtimeerror.h"
#include "core/project/workingstate.h"

#include <QStringList>

#include <functional>
#include <optional>

class TRecList;

inline constexpr int kOldDisplayFileSize = 68;

void DefaultProject(WorkingState& state);
void WriteProject(const WorkingState& state);
void ReadProject(WorkingState& state);
// Makes the change to the open project and writes it. When writing fails the error is reported,
// the project in memory is put back as it was, and the result is false.
bool SaveProjectChange(WorkingState& state, const std::function<void(ProjectRecord&)>& change);

// Chapter list. The Load routines return false when the list does not exist.
bool LoadMenuEntries(const WorkingState& state, QStringList& entries);
bool LoadChapterRecords(const WorkingState& state, TRecList& records);
void ReadChapter(WorkingState& state, qsizetype index);
void WriteChapter(const WorkingState& state, qsizetype index); // -1 appends
void CompactChapterList(const WorkingState& state);
// The error for a chapter list whose length is not a whole number of records.
InOutError DamagedChapterListError(const QString& fileName);
bool ChapterListExists(const WorkingState& state);

// A display file's record in either form: the earlier version's 68-byte record is converted.
// Nothing is written. A file too short for either form raises "Read beyond end of file: NAME".
DisplayRecord DisplayFileRecord(const QString& fileName);
// Reads a display file into the current display; an earlier-version file is rewritten in the
// current form on this first reading by a window.
void ReadDisplayFile(WorkingState& state, const QString& fileName);
void WriteDisplayFile(const WorkingState& state, const QString& fileName);
// The display file an author's answer names: its bare name (no folder, no extension) cut to 25
// characters, with ".QVD". Nothing when that name is empty or not a valid file name.
std::optional<QString> DisplayFileNameFor(const QString& answer);
