// The background design window of the introduction's screen (module PIntBckF).
#include "ui/design/intdesignbackform.h"

#include "platform/modal.h"
#include "ui/design/intadjustform.h"

TIntDesignBackForm::TIntDesignBackForm(PresentationRecord& presentation, const ConfigRecord& config,
                                       const QByteArray& rtf, QWidget* parent)
    : TDisplayDesignBackForm(kIntroductionBackground, presentation.Intro.IntroDisplay, parent),
      m_presentation(presentation), m_config(config), m_rtf(rtf)
{}

void TIntDesignBackForm::adjustWindow()
{
    const HiddenWhileSubWindow hidden(this);
    PresentationRecord placed = m_presentation;
    placed.Intro.IntroDisplay = working();
    if (AdjustIntroductionWindow(placed, m_config, m_rtf, parentWidget()))
        working() = placed.Intro.IntroDisplay;
}
