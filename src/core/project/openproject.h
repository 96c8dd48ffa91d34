// Opening a project in the current directory.
#pragma once

#include "core/project/workingstate.h"

// Opens `state.ProjectFile` in the current directory, creating a new project's files, or
// converting an earlier version's project after the author agrees. When the author declines,
// ProjectFile, HyperTextFile and ChapterListFile are empty afterwards.
void OpenProject(WorkingState& state);
