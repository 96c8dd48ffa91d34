// The web edition of the open book: the whole designed book in any browser, from a double-click
// on its index.html or from a web address, offline once visited. The exporter decides everything
// the runtimes decide (the screens in their order, what each phrase and command does, which file,
// the messages) through the format library and writes the outcome as data; the page's script
// (src/webreader) only shows and plays it.
#pragma once

#include "core/project/workingstate.h"

#include <QString>
#include <QStringList>

// BASE-web, the edition's folder name beside the executable.
QString WebEditionName(const WorkingState& state);

// Writes the web edition of the open project into `folder`, which is replaced only when the new
// edition is complete. False after a message when the book cannot be compiled or a file it needs
// is missing or cannot be converted; then nothing is written. `notCarried` receives a line for
// each thing the browser cannot do as the executable does. Raises RunTimeError when a file cannot
// be read or the folder cannot be written.
bool ExportWebEdition(WorkingState& state, const QString& folder,
                      QStringList* notCarried = nullptr);

// A page of more than this many bytes is slow to open: the export says so.
inline constexpr qsizetype kLargeWebPageSize = 20 * 1024 * 1024;

// The same edition as one self-contained HTML file (the media inside it), written over `file`
// only when it is complete. In the book's folder it writes a new .htm or .html file, or over a
// BASE-web.html, never over a file of the book.
// `notCarried` also says when the page is larger than kLargeWebPageSize.
bool ExportWebEditionFile(WorkingState& state, const QString& file,
                          QStringList* notCarried = nullptr);
