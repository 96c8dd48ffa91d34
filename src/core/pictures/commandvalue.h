// The command value of a show: up to six elements separated by ",", each recognised by what it
// contains, and the command lines of the two program modes.
#pragma once

#include "core/project/codes.h"

#include <QString>

struct ShowCommandParts
{
    QString picture; // .BMP, .JPG or .WMF; a later one replaces an earlier one
    QString sound;   // .WAV or .MID
    QString video;   // .AVI
    int delayMs = 0; // a whole number N of tenths of a second
};

// The value is upper-cased first, as the show reads it.
ShowCommandParts ParseShowCommand(const QString& value);

// Executable program: "program",parameters becomes "program" parameters. Windows program: program
// document becomes "program" followed by the document in the project directory.
QString ProgramCommandLine(HyperTextType mode, const QString& value, const QString& projectDir);
