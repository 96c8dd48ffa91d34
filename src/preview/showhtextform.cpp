// The Text Only pop-up (module Htxdispf).
#include "preview/showhtextform.h"

#include "preview/mediaactions.h"
#include "preview/readerscreen.h"
#include "preview/richedit.h"

#include <QFrame>
#include <QPushButton>
#include <QVBoxLayout>

TShowHTextForm::TShowHTextForm(const DisplayRecord& display, const QStringList& textLines,
                               QWidget* parent)
    : QDialog(parent), TextPnl(new TTextWindow(this)), ButtonPnl(new QFrame(this)),
      OKBtn(new QPushButton(tr("&OK"), ButtonPnl)), m_display(display)
{
    setObjectName(QStringLiteral("TShowHTextForm"));
    setWindowTitle(CurrentHyperPhrase());
    TextPnl->setTextColour(BookColour(display.TextColor));
    TextPnl->RichEdit1->loadContent(RtfFromLines(textLines));
    ButtonPnl->setFixedHeight(36);
    OKBtn->resize(80, 26);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(TextPnl, 1);
    layout->addWidget(ButtonPnl);
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
}

void TShowHTextForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    const QPoint origin = DesignScreenOrigin();
    setGeometry(origin.x() + m_display.WinLeft, origin.y() + m_display.WinTop,
                m_display.WinWidth + 3, m_display.WinHeight);
    OKBtn->move(ButtonPnl->width() / 2 - OKBtn->width() / 2,
                (ButtonPnl->height() - OKBtn->height()) / 2);
}
