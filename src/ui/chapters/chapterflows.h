// The chapter flows the main window starts: adding, listing, modifying, removing and reordering.
// File errors raise InOutError to the caller's action frame.
#pragma once

#include "core/project/workingstate.h"

class QWidget;

void AddChapters(WorkingState& state, QWidget* parent);
// The add window on `state.CurrentChapter`, writing at `index` (-1 appends) on Save. False when
// the chapter list could not be written (after the error message).
bool EditChapter(WorkingState& state, qsizetype index, QWidget* parent);
void ListChapters(WorkingState& state, QWidget* parent);
void RemoveChapter(WorkingState& state, QWidget* parent);
void ReorderChapters(WorkingState& state, QWidget* parent);
