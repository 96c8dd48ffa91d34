// Conversion of projects made by the earlier version: project record, chapter list, HyperText
// file, and (lazily, on first reading) display files.
#pragma once

#include "core/project/workingstate.h"

// Rewrites ProjectFile, ChapterListFile and HyperTextFile in the current format, in that order.
// A project without a chapter list keeps having none.
void ConvertProject(WorkingState& state);
void ConvertProjectRecord(WorkingState& state);
void ConvertChapterList(WorkingState& state);
