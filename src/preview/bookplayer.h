// Playing a book from beginning to end, as its reader sees it: program background, opening
// command, about box, introduction, table of contents or the only chapter, about box, closing
// command. The tool's preview and the reader runtime both play books this way.
#pragma once

#include "preview/previewcontext.h"

class QWidget;

// Runs a book's opening or closing command.
void RunBookCommand(const CommandRecord& command, const QString& caption, QWidget* parent,
                    const QString& owner);

// Raises RunTimeError when the book's data cannot be read.
void PlayBook(const PreviewContext& context, QWidget* parent);
