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

// Moves chapter `from` to the place before chapter `before` (positions in the list as it is
// now; `before` one past the last chapter moves it to the end). Exactly one record moves, so lists
// that hold the same entry twice (earlier files may) lose and double nothing. The list stays as it
// is when the two are the same or either is not in the list.
void MoveChapter(const WorkingState& state, qsizetype from, qsizetype before);
