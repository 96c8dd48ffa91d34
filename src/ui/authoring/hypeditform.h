// ThypeditForm (module Chpedhyp): the definition viewer over the chapter editor's current text.
#pragma once

#include "ui/authoring/definitionviewer.h"

class ThypeditForm : public TDefinitionViewer
{
    Q_OBJECT

public:
    explicit ThypeditForm(const QByteArray& rtf, QWidget* parent = nullptr);
};
