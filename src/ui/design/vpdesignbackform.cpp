// The background design window of a Graphic and Text link's screen (module HTxbackf).
#include "ui/design/vpdesignbackform.h"

#include "platform/modal.h"
#include "ui/design/vpadjustform.h"

TVPDesignBackForm::TVPDesignBackForm(DisplayRecord& display, const QByteArray& rtf, QWidget* parent)
    : TDisplayDesignBackForm(kHyperTextBackground, display, parent), m_rtf(rtf)
{}

void TVPDesignBackForm::adjustWindow()
{
    const HiddenWhileSubWindow hidden(this);
    DisplayRecord placed = working();
    if (AdjustHyperTextWindow(placed, m_rtf, parentWidget()))
        working() = placed;
}
