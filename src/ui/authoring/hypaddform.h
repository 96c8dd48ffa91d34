// Thypaddform (module chphypdf): the definition viewer over a chapter file of the book.
#pragma once

#include "ui/authoring/definitionviewer.h"

class Thypaddform : public TDefinitionViewer
{
    Q_OBJECT

public:
    // Raises the open error when the chapter file cannot be read: the viewer then never opens.
    explicit Thypaddform(const QString& chapterFile, QWidget* parent = nullptr);
};
