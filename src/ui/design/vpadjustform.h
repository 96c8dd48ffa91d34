// TVPAdjustForm (module HTxVadjf): places the text window of a Graphic and Text link's screen. That
// screen always shows its text in a window, so what is saved carries FullScreen 0.
#pragma once

#include "ui/design/textadjustform.h"

class TVPAdjustForm : public TTextAdjustForm
{
    Q_OBJECT

public:
    TVPAdjustForm(const DisplayRecord& display, const QByteArray& rtf, QWidget* parent = nullptr);
};

// True when the author saved; the record then holds the new place and FullScreen 0.
bool AdjustHyperTextWindow(DisplayRecord& display, const QByteArray& rtf,
                           QWidget* parent = nullptr);
