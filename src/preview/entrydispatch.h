// ShowEntry: acts on a HyperText entry as the reader's click does.
#pragma once

#include "preview/previewcontext.h"

#include <QStringList>

class QWidget;

// The type code of an entry: the number formed by at most two characters after the first "=" of
// its type line; 0 when there is none.
int EntryTypeCode(const QStringList& lines);

// Raises ConvertError for a display entry with a bad number.
void ShowEntry(const QStringList& lines, const PreviewContext& context, QWidget* parent);
