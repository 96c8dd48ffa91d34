// The introduction's window-adjusting window (module PIntAdjF).
#include "ui/design/intadjustform.h"

#include "platform/help.h"
#include "platform/modal.h"
#include "preview/readerscreen.h"

#include <QMenuBar>

TIntAdjustForm::TIntAdjustForm(const PresentationRecord& presentation, const ConfigRecord& config,
                               const QByteArray& rtf, QWidget* parent)
    : TTextAdjustForm("TIntAdjustForm", true, presentation.Intro.IntroDisplay, rtf, parent),
      m_toolHelpFile(CurrentHelpFile())
{
    const IntroRecord& intro = presentation.Intro;
    const CaptionsRecord& captions = presentation.Captions;
    Mquit = MainMenu1->addAction(captions.CloseCaption.text(), this, &QDialog::reject);
    MAbout = MainMenu1->addAction(captions.AboutCaption.text());
    MAbout->setVisible(presentation.AboutShown != 0);
    MHelp = MainMenu1->addAction(captions.HelpCaption.text());
    MHelp->setVisible(config.UseHelpFile != 0);
    MainMenu1->setVisible(intro.UseMenuBar != 0);
    setUpBars(intro.IntroBars);
    ShowBackground(ScreenPnl, BackgroundOf(intro.IntroDisplay));
    // While the book has a help file, the popup's Help shows the book's.
    if (config.UseHelpFile)
        SetHelpFile(config.HelpFile.text());
}

TIntAdjustForm::~TIntAdjustForm()
{
    SetHelpFile(m_toolHelpFile);
}

bool AdjustIntroductionWindow(PresentationRecord& presentation, const ConfigRecord& config,
                              const QByteArray& rtf, QWidget* parent)
{
    TIntAdjustForm form(presentation, config, rtf, parent);
    if (RunModal(form) != TAdjustForm::Save)
        return false;
    presentation.Intro.IntroDisplay = form.placed();
    return true;
}
