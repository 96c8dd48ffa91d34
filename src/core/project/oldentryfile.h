// Upgrade of a HyperText entry file of the earlier version, whose picture commands separated
// their elements with blanks.
#pragma once

#include <QString>

// Does nothing when the file does not exist. Works through the scratch copy base + ".TMP".
void ConvertOldEntryFile(const QString& fileName);
