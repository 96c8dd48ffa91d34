// The Graphic and Text screen's window-adjusting window (module HTxVadjf).
#include "ui/design/vpadjustform.h"

#include "platform/modal.h"
#include "preview/readerscreen.h"

#include <QMenuBar>

namespace {

DisplayRecord windowed(DisplayRecord display)
{
    display.FullScreen = 0;
    return display;
}

} // namespace

TVPAdjustForm::TVPAdjustForm(const DisplayRecord& display, const QByteArray& rtf, QWidget* parent)
    : TTextAdjustForm("TVPAdjustForm", true, windowed(display), rtf, parent)
{
    MainMenu1->hide();
    ShowBackground(ScreenPnl, BackgroundOf(display));
}

bool AdjustHyperTextWindow(DisplayRecord& display, const QByteArray& rtf, QWidget* parent)
{
    TVPAdjustForm form(display, rtf, parent);
    if (RunModal(form) != TAdjustForm::Save)
        return false;
    display = form.placed();
    return true;
}
