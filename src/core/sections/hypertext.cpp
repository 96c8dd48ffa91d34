// HyperText entry helpers.
#include "core/sections/hypertext.h"

HyperTextType EntryType(const QStringList& lines)
{
    return lines.size() < 3 ? HyperTextType::None : ParseTypeLine(lines.at(2));
}
