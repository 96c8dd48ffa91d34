// HyperText entry helpers.
#include "core/sections/hypertext.h"

#include "core/files/filenames.h"

int HyperEntryType(const QStringList& lines)
{
    if (lines.size() < 3)
        return 0;
    const QString& line = lines.at(2);
    return ParseInteger(line.mid(line.indexOf(QLatin1Char('=')) + 1)).value_or(0);
}
