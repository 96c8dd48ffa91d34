// The command values of shows and programs (format/sections/commandsyntax.h) for Qt code.
#pragma once

#include "core/project/codes.h"

#include <QString>
#include <QStringList>

struct ShowCommandParts
{
    QString picture; // .BMP, .JPG or .WMF; a later one replaces an earlier one
    QString sound;   // .WAV or .MID
    QString video;   // .AVI
    int delayMs = 0; // a whole number N of tenths of a second
};

bool IsWebAddress(const QString& value);

// The value is upper-cased first, as the show reads it.
ShowCommandParts ParseShowCommand(const QString& value);

// The program and its arguments (`projectDir` ends with "/").
QStringList ProgramArguments(HyperTextType mode, const QString& value, const QString& projectDir);
