// TIntroEntryForm (module PIntEdF): the introduction's text, with the text window's colour, and the
// way to the introduction screen's design.
#pragma once

#include "ui/common/textentryform.h"

class TIntroEntryForm : public TTextEntryForm
{
    Q_OBJECT

public:
    // Works on copies; EditIntroduction hands them back on "&OK".
    TIntroEntryForm(const PresentationRecord& presentation, const ConfigRecord& config,
                    const QStringList& textLines, QWidget* parent = nullptr,
                    const QString& bookLanguage = {});

    const PresentationRecord& presentation() const { return m_presentation; }
    const ConfigRecord& config() const { return m_config; }

protected:
    Colour& textColour() override { return m_presentation.Intro.IntroDisplay.TextColor; }
    void adjust() override;
    void view() override;

private:
    PresentationRecord m_presentation;
    ConfigRecord m_config;
};

// True on "&OK", with both records and the lines (empty for an emptied text) the author's.
bool EditIntroduction(PresentationRecord& presentation, ConfigRecord& config,
                      QStringList& textLines, QWidget* parent, const QString& bookLanguage = {});
