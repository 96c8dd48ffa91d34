// HyperText entries (format/sections/hypertextentry.h) for Qt code: one section per phrase, source
// "HYPER", in the book's HyperText file.
#pragma once

#include "core/project/codes.h"
#include "core/sections/sectionfile.h"

inline const QString kHyperSource = QStringLiteral("HYPER");

// The entry of a phrase: names compared without regard to case as whole strings, the last one
// wins.
inline bool FindHyperEntry(const QString& file, const QString& phrase, QStringList& lines)
{
    return ReadEntry(file, phrase, kHyperSource, lines);
}

// The type of an entry as ReadEntry gives it (line 2, "type=N"); None when there is none.
HyperTextType EntryType(const QStringList& lines);

// What follows the "=" of one of an entry's "key=value" lines.
QString EntryLineValue(const QString& line);
// The command of an entry (line 3, "command=..."); empty when there is none.
QString EntryCommand(const QStringList& lines);
