// Display sections: a DisplayRecord and a pop-up's rich text written as lines of a section, and
// the colour strings those lines use.
#pragma once

#include "core/project/records.h"

#include <QStringList>

// "clSilver" for a colour of the name table, "$00FF8040" for any other.
QString ColourToString(Colour colour);
// A name of the table (any case) or an integer in decimal or "$" hexadecimal; raises ConvertError.
Colour StringToColour(const QString& text);

// The lines of a display section, header to the empty line after the terminator.
QStringList DisplaySectionLines(const QString& name, const QString& source, int typeCode,
                                const DisplayRecord& display, const QStringList& textLines);

// Reads the record and the text lines from a section as ReadEntry returns it. RLTop and RLLeft
// keep what the record held. Raises ConvertError for a bad number or colour, and RunTimeError
// for a section too short to hold a display.
void ParseDisplayEntry(const QStringList& lines, DisplayRecord& display, QStringList& textLines);

// Text lines of a section (8-bit, as the book stores them) back as one block of RTF.
QByteArray RtfFromLines(const QStringList& lines);
