// The definition viewer over the chapter editor's text (module Chpedhyp).
#include "ui/authoring/hypeditform.h"

ThypeditForm::ThypeditForm(const QByteArray& rtf, QWidget* parent)
    : TDefinitionViewer("ThypeditForm", 145, rtf, parent)
{}
