// Records of projects made by the earlier version turned into the current records. Pure record
// work: the file conversion and the display-file reader both use it.
#pragma once

#include "core/project/oldrecords.h"

DisplayRecord ConvertDisplayRecord(const OldDisplayRecord& old);
CommandRecord ConvertCommandRecord(const OldCommandRecord& old);
ChapterRecord ConvertChapterRecord(const OldChapterRecord& old);
// Chapter bars, configuration, presentation and table of contents; version and the rest stay.
void ConvertProjectFields(const OldProjectRecord& old, ProjectRecord& project);
