// The rules that settle the program's icon and help file when the author saves the program
// configuration: a name without its switch, or a switch without a name, is dropped.
#pragma once

#include "core/project/records.h"

// An empty icon name clears UseIcon, and a cleared UseIcon empties the name. An empty help file
// or a topic below 1 clears UseHelpFile; a cleared UseHelpFile empties the file, topic 0.
void SettleIconAndHelpFile(ConfigRecord& config);
