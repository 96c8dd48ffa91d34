// The command value of a show: up to six elements separated by ",", each recognised by what it
// contains, and the command lines of the two program modes.
#pragma once

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

// Mode 4: "program",parameters becomes "program" parameters. Mode 9: program document becomes
// "program" followed by the document in the project directory.
QString ProgramCommandLine(int mode, const QString& value, const QString& projectDir);
