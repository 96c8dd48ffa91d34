// Chapter-list rules shared by the chapter windows: menu-entry uniqueness, removal and moving.
// All raise InOutError when the chapter list cannot be read or written; the list on disk is
// always either the old or the complete new one.
#pragma once

#include "core/project/workingstate.h"

// True when `entry` differs from `ownEntry` (ignoring case) and another chapter already has it
// (ignoring case). Without a chapter list nothing is in use.
bool MenuEntryInUse(const WorkingState& state, const QString& entry, const QString& ownEntry);

// Marks chapter `index` removed and compacts the list; the last chapter takes the list with it.
void RemoveChapterAt(WorkingState& state, qsizetype index);

// Moves the chapter whose entry is `entryToMove` to the place before the one whose entry is
// `entryBefore` (entries compared exactly). The list stays as it is when they are the same, or
// when either is not in the list.
void MoveChapter(const WorkingState& state, const QString& entryToMove, const QString& entryBefore);
