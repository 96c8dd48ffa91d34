#include "core/sections/sectionname.h"

#include "format/sections/sectionrules.h"

QString SectionNameKey(const QString& name)
{
    return QString::fromStdString(bookformat::SectionNameKey(name.toStdString()));
}
