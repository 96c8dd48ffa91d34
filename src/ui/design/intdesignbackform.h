// TIntDesignBackForm (module PIntBckF): the background of the introduction's screen; "&Adjust
// Window" places its text window.
#pragma once

#include "ui/design/displaydesignbackform.h"

class TIntDesignBackForm : public TDisplayDesignBackForm
{
    Q_OBJECT

public:
    // Edits the presentation's introduction display.
    TIntDesignBackForm(PresentationRecord& presentation, const ConfigRecord& config,
                       const QByteArray& rtf, QWidget* parent = nullptr);

protected:
    void adjustWindow() override;

private:
    const PresentationRecord& m_presentation;
    ConfigRecord m_config;
    QByteArray m_rtf;
};
