// The background design window of a chapter's screen.
#include "ui/design/chpbackf.h"

TChapDesignBackForm::TChapDesignBackForm(DisplayRecord& display, QWidget* parent)
    : TDisplayDesignBackForm(kChapterBackground, display, parent)
{}
