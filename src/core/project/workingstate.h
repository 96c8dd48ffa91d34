// The working state of the open project: one object that the main window owns for the whole run
// and hands to every window that reads or writes the project.
#pragma once

#include "core/project/records.h"

#include <QString>

struct WorkingState
{
    QString ProgramDir;      // directory of the running binary, ending in "/"
    QString ProjectDir;      // the project directory; ProgramDir until a project is chosen
    QString ProjectFile;     // bare name of the project file; empty while no project is open
    QString ChapterListFile; // base + ".QVC"
    QString HyperTextFile;   // base + ".QVR"
    QString HelpFilePath;    // ProgramDir + "KESTRIN.HLP"
    QString VersionTag = QStringLiteral("2.1");

    ProjectRecord Project{};
    ChapterRecord CurrentChapter{};
    DisplayRecord CurrentDisplay{};

    QString BookTitle;
    QString MediaPrompt;

    bool isProjectOpen() const { return !ProjectFile.isEmpty(); }
};
