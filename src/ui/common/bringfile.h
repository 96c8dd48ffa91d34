// Bringing an outside file into the project: every "Find File" button works this way.
#pragma once

#include "platform/filedialogs.h"

#include <QString>

class QWidget;

// Lets the author pick a file anywhere, asks "Copy the file NAME to the Project directory?" and
// on Yes copies it there, unless a file of that name is there already (which is never touched).
// Returns the picked file's bare name when a file of that name lies in the project directory
// afterwards, and `current` otherwise (also when the author cancelled the pick).
QString BringFileIntoProject(QWidget* parent, const FileChoice& choice, const QString& projectDir,
                             const QString& current);
