// Where the tool finds the reader runtime, the help file and the tutorial: beside its own binary
// in a build tree, or in the installed support folder (lib/quorelle beside bin).
#pragma once

#include <QString>

// The folder, ending in "/": `applicationDir` itself when it holds kestrin.bin, else the folder
// `installedRelative` names from it when that holds kestrin.bin, else `applicationDir`.
QString ProgramSupportDir(const QString& applicationDir, const QString& installedRelative);

// The running program's support folder.
QString ProgramSupportDir();
