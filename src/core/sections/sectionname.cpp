#include "core/sections/sectionname.h"

#include "format/sectionfile.h"

QString SectionNameKey(const QString& name)
{
    return QString::fromStdString(bookformat::SectionNameKey(name.toStdString()));
}
