// The background design window of the introduction's screen.
#include "ui/design/pintbckf.h"

TIntDesignBackForm::TIntDesignBackForm(DisplayRecord& display, QWidget* parent)
    : TDisplayDesignBackForm(kIntroductionBackground, display, parent)
{}
