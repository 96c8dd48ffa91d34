// How the names and sources of sections compare (format/sections/sectionrules.h): without regard to
// case, by Unicode's case folding, so "Белые ночи" finds "БЕЛЫЕ НОЧИ" as "Paris" finds "PARIS".
#pragma once

#include <QString>

// The form in which two names that are the same phrase are equal.
QString SectionNameKey(const QString& name);
