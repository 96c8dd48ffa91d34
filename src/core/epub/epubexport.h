// The EPUB 3 edition of the open book, for phones, tablets and e-readers: a title page from the
// table of contents screen, one XHTML document per chapter in the chapter list's order, a
// navigation document of the menu entries, and each HyperText phrase as a link: pop-up texts as
// footnotes, pictures, sounds and films on pages of their own, web pages included or linked, and
// a note where the EPUB cannot do what the executable does (programs, the notepad).
#pragma once

#include "core/project/workingstate.h"

#include <QString>
#include <QStringList>

// BASE.epub, the EPUB's name beside the executable.
QString EpubName(const WorkingState& state);

// Writes the EPUB of the open project to `file`, replacing it only when the new one is complete.
// False after a message when a file the book needs is missing or cannot be converted; then
// nothing is written. `notCarried` receives one line for each kind of link the EPUB could not
// carry over. The project and the working state are as they were. Raises RunTimeError when a
// chapter cannot be read or the file cannot be written.
bool ExportEpub(WorkingState& state, const QString& file, QStringList* notCarried = nullptr);
