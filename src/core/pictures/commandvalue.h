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

// Whether a web-page value is an address on the network: only a text that names its scheme
// ("https://...", "mailto:..."); everything else, PAGE.HTM included, is a file of the book.
bool IsWebAddress(const QString& value);

// The value is upper-cased first, as the show reads it.
ShowCommandParts ParseShowCommand(const QString& value);

// The program and its arguments. Executable program: "program" or "program,parameters", the
// parameters split as a shell splits them. Windows program: "program document", the document
// handed over as one argument in the project directory (`projectDir` ends with "/"), whatever
// blanks the folder's name holds.
QStringList ProgramArguments(HyperTextType mode, const QString& value, const QString& projectDir);
