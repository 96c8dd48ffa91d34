// TVPDesignTitleForm (module PIntTitf): the bar text editor's twin for the introduction, which
// gives the focus back to the text after each font or colour choice.
#pragma once

#include "ui/design/toctitleform.h"

class TVPDesignTitleForm : public TTocTitleForm
{
    Q_OBJECT

public:
    TVPDesignTitleForm(BarsRecord& bars, Bar bar, int helpContext, QWidget* parent = nullptr);
};

// The introduction bar's editor, modally; true when the author pressed "&OK".
bool EditIntroBarText(BarsRecord& bars, Bar bar, int helpContext, QWidget* parent);
