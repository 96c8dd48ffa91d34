// The Graphic and Text screen (module HTxVdspF).
#include "preview/txtvpdispform.h"

#include "preview/mediaactions.h"
#include "preview/readerscreen.h"
#include "preview/richedit.h"

#include <QVBoxLayout>

TTxtVPDispForm::TTxtVPDispForm(const DisplayRecord& display, const QStringList& textLines,
                               QWidget* parent)
    : QDialog(parent), ScreenPnl(new TScreenPanel(this)), TextPnl(new TTextWindow(ScreenPnl)),
      m_display(display)
{
    setObjectName(QStringLiteral("TTxtVPDispForm"));
    setWindowTitle(CurrentHyperPhrase());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ScreenPnl);
    PlaceOnDesignScreen(this);
    ShowBackground(ScreenPnl, BackgroundOf(display));
    TextPnl->setTextColour(BookColour(display.TextColor));
    TextPnl->RichEdit1->loadContent(RtfFromLines(textLines));
    connect(ScreenPnl, &TScreenPanel::rightPressed, this, &QDialog::reject);
}

void TTxtVPDispForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    layout()->activate();
    TextPnl->place(m_display);
    TextPnl->raise();
}
