// THypEntryForm (module htxentrF): the text of a Text Only link (text-window mode) or a Graphic and
// Text link (display-screen mode), with its font, colours and the place or screen it is shown on.
#pragma once

#include "ui/common/textentryform.h"

class THypEntryForm : public TTextEntryForm
{
    Q_OBJECT

public:
    enum Mode
    {
        TextWindow,
        DisplayScreen
    };

    THypEntryForm(Mode mode, const DisplayRecord& display, const QStringList& textLines,
                  QWidget* parent = nullptr, const QString& bookLanguage = {});

    const DisplayRecord& display() const { return m_display; }

protected:
    Colour& textColour() override { return m_display.TextColor; }
    void adjust() override;
    void view() override;

private:
    Mode m_mode;
    DisplayRecord m_display; // an edited copy: the caller's changes on OK only
};

// Runs the editor; on OK the display and (unless the text was emptied) the lines are the
// author's. True on OK.
bool EditLinkText(THypEntryForm::Mode mode, DisplayRecord& display, QStringList& textLines,
                  QWidget* parent = nullptr, const QString& bookLanguage = {});
