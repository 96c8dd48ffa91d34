#include "core/sections/hypertext.h"

#include "format/sections/hypertextentry.h"

HyperTextType EntryType(const QStringList& lines)
{
    return lines.size() < 3 ? HyperTextType::None : ParseTypeLine(lines.at(2));
}

QString EntryLineValue(const QString& line)
{
    return QString::fromStdString(std::string(bookformat::EntryLineValue(line.toStdString())));
}

QString EntryCommand(const QStringList& lines)
{
    return lines.size() > 3 ? EntryLineValue(lines.at(3)) : QString();
}
