// TIntAdjustForm (module PIntAdjF): places the introduction's text window on a mock-up of the
// introduction screen.
#pragma once

#include "ui/design/textadjustform.h"

class TIntAdjustForm : public TTextAdjustForm
{
    Q_OBJECT

public:
    TIntAdjustForm(const PresentationRecord& presentation, const ConfigRecord& config,
                   const QByteArray& rtf, QWidget* parent = nullptr);
    ~TIntAdjustForm() override;

    QAction* Mquit;
    QAction* MAbout;
    QAction* MHelp;

private:
    QString m_toolHelpFile; // restored when the window closes
};

// True when the author saved; the introduction's display then holds the new place.
bool AdjustIntroductionWindow(PresentationRecord& presentation, const ConfigRecord& config,
                              const QByteArray& rtf, QWidget* parent = nullptr);
