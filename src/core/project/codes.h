// The numbered codes the book's files store (format/records/storedcodes.h), for Qt code.
#pragma once

#include "format/records/storedcodes.h"

#include <QString>

using bookformat::BackgroundType;
using bookformat::HyperTextType;
using bookformat::IsBackground;
using bookformat::IsCommandType;
using bookformat::ToHyperTextType;

// The type code of a "type=" line: the number formed by at most the two characters after its
// first "="; None when there is none ("type=135" is 13).
inline HyperTextType ParseTypeLine(const QString& line)
{
    return bookformat::ParseTypeLine(line.toStdString());
}
