// What a reader's click on a HyperText phrase does, and what an opening or closing command does:
// one dispatcher for both.
#pragma once

#include "core/project/codes.h"

#include <QStringList>

class QWidget;

// Acts on a HyperText entry as the reader's click does. Raises ConvertError for a display entry
// with a bad number.
void ShowEntry(const QStringList& lines, QWidget* parent);

// Acts on a command value of a simple type: shows, programs, web pages and the notepad. The
// display types (1 and 5) and None do nothing here.
// `owner` names who stores the value, for the message when a name leaves the book's folder.
void RunLinkCommand(HyperTextType type, const QString& caption, const QString& value,
                    QWidget* parent, const QString& owner);
