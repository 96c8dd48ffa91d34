// TVPDesignBackForm: the background of a Graphic and Text link's screen.
#pragma once

#include "ui/design/designback.h"

class TVPDesignBackForm : public TDisplayDesignBackForm
{
    Q_OBJECT

public:
    explicit TVPDesignBackForm(DisplayRecord& display, QWidget* parent = nullptr);
};
