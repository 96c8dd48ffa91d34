// TIntDesignBackForm: the background of the introduction's screen.
#pragma once

#include "ui/design/designback.h"

class TIntDesignBackForm : public TDisplayDesignBackForm
{
    Q_OBJECT

public:
    explicit TIntDesignBackForm(DisplayRecord& display, QWidget* parent = nullptr);
};
