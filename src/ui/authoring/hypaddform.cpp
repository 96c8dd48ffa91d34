// The definition viewer over a chapter file (module chphypdf).
#include "ui/authoring/hypaddform.h"

#include "core/book/booksource.h"

Thypaddform::Thypaddform(const QString& chapterFile, QWidget* parent)
    : TDefinitionViewer("Thypaddform", 256, ReadChapterFile(chapterFile), parent)
{}
