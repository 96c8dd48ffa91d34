// TChapDesignBackForm: the background of a chapter's screen.
#pragma once

#include "ui/design/designback.h"

class TChapDesignBackForm : public TDisplayDesignBackForm
{
    Q_OBJECT

public:
    explicit TChapDesignBackForm(DisplayRecord& display, QWidget* parent = nullptr);
};
