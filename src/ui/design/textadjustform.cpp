// The text-window adjusting windows.
#include "ui/design/textadjustform.h"

#include "preview/readerscreen.h"
#include "preview/richedit.h"
#include "ui/design/handles.h"

#include <QLayout>

TTextAdjustForm::TTextAdjustForm(const char* className, bool helpInPopup,
                                 const DisplayRecord& display, const QByteArray& rtf,
                                 QWidget* parent)
    : TAdjustForm(className, 485, helpInPopup, parent), TextPnl(new TTextWindow(ScreenPnl)),
      m_display(display)
{
    TextPnl->setToolTip(tr("Mouse Right Button for Menu"));
    TextPnl->RichEdit1->setContextMenuPolicy(Qt::NoContextMenu); // the window's menu instead
    TextPnl->RichEdit1->loadContent(rtf);
    TextPnl->setTextColour(BookColour(display.TextColor));
    attachOnPress(TextPnl, TextPnl);
    attachOnPress(TextPnl, TextPnl->RichEdit1->viewport());
}

void TTextAdjustForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_placed)
        return;
    m_placed = true;
    layout()->activate();
    TextPnl->place(m_display); // as the reader screen places it
    TextPnl->raise();
}

DisplayRecord TTextAdjustForm::placed() const
{
    DisplayRecord display = m_display;
    const QRect window = TextPnl->geometry();
    display.WinTop = window.top();
    display.WinLeft = window.left();
    display.WinWidth = window.width();
    display.WinHeight = window.height();
    return display;
}
