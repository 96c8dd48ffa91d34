// The background design window of a Graphic and Text link's screen.
#include "ui/design/htxbackf.h"

TVPDesignBackForm::TVPDesignBackForm(DisplayRecord& display, QWidget* parent)
    : TDisplayDesignBackForm(kHyperTextBackground, display, parent)
{}
