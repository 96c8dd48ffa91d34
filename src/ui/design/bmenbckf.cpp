// The background design window of the table of contents' screen.
#include "ui/design/bmenbckf.h"

TMenuDesignBackForm::TMenuDesignBackForm(DisplayRecord& display, QWidget* parent)
    : TDisplayDesignBackForm(kMenuBackground, display, parent)
{}
