// HyperText entries: one section per phrase, source "HYPER", in the book's HyperText file.
#pragma once

#include "core/sections/sectionfile.h"

inline const QString kHyperSource = QStringLiteral("HYPER");

enum HyperTextType : int {
    TextOnly = 1,
    GraphicOnly = 2,
    VoiceOnly = 3,
    ExecutableProgram = 4,
    GraphicAndText = 5,
    GraphicAndSound = 6,
    VideoPlayer = 7,
    MidiPlayer = 8,
    WindowsProgram = 9,
    HtmlFile = 10,
    NotePad = 13,
};

// The entry of a phrase: names compared upper-cased as whole strings, the last one wins.
inline bool FindHyperEntry(const QString& file, const QString& phrase, QStringList& lines)
{
    return ReadEntry(file, phrase, kHyperSource, lines);
}

// The type code of an entry as ReadEntry gives it (line 2, "type=N"); 0 when unreadable.
int HyperEntryType(const QStringList& lines);
