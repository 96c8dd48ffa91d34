// TMenuDesignBackForm: the background of the table of contents' screen.
#pragma once

#include "ui/design/designback.h"

class TMenuDesignBackForm : public TDisplayDesignBackForm
{
    Q_OBJECT

public:
    explicit TMenuDesignBackForm(DisplayRecord& display, QWidget* parent = nullptr);
};
