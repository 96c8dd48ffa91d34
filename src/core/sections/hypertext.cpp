// HyperText entry helpers.
#include "core/sections/hypertext.h"

HyperTextType EntryType(const QStringList& lines)
{
    return lines.size() < 3 ? HyperTextType::None : ParseTypeLine(lines.at(2));
}

QString EntryLineValue(const QString& line)
{
    return line.mid(line.indexOf(QLatin1Char('=')) + 1);
}

QString EntryCommand(const QStringList& lines)
{
    return lines.size() > 3 ? EntryLineValue(lines.at(3)) : QString();
}
