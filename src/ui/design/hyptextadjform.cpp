// The text pop-up's placement window (module Htxwadjf).
#include "ui/design/hyptextadjform.h"

#include "platform/look.h"
#include "platform/modal.h"
#include "preview/readerscreen.h"
#include "preview/richedit.h"

#include <QEvent>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kWidthOverRecord = 3; // the pop-up is WinWidth + 3 wide

} // namespace

THypTextAdjForm::THypTextAdjForm(const DisplayRecord& display, const QStringList& rtfLines,
                                 QWidget* parent)
    : TAdjustForm("THypTextAdjForm", 485, true, parent), Panel1(new QFrame(ScreenPnl)),
      Panel2(new QFrame(Panel1)), Panel3(new QFrame(Panel1)), RichEdit1(new TRichEdit(Panel3)),
      Panel4(new QFrame(Panel1)), BitBtn1(new QPushButton(tr("Close"), Panel4)), m_display(display)
{
    setWindowTitle(tr("Press Mouse right button for Menu"));
    MainMenu1->hide();
    Panel1->setAutoFillBackground(true); // the sample is a window: its strips are not see-through
    QPalette face = Panel1->palette();
    face.setColor(QPalette::Window, face.color(QPalette::Button));
    Panel1->setPalette(face);
    PaintBackground(Panel2, QColor(0x00, 0x00, 0x80), Qt::white);
    Panel2->setFixedHeight(20);
    Panel3->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel3->setLineWidth(2);
    RichEdit1->setReadOnly(true);
    RichEdit1->setContextMenuPolicy(Qt::NoContextMenu);
    RichEdit1->document()->setDocumentMargin(5);
    RichEdit1->loadContent(RtfFromLines(rtfLines));
    QPalette palette = RichEdit1->palette();
    palette.setColor(QPalette::Base, BookColour(display.TextColor));
    RichEdit1->setPalette(palette);
    auto* textLayout = new QVBoxLayout(Panel3);
    textLayout->setContentsMargins(2, 2, 2, 2);
    textLayout->addWidget(RichEdit1);
    Panel4->setFixedHeight(26);
    auto* closeLayout = new QHBoxLayout(Panel4);
    closeLayout->setContentsMargins(0, 0, 0, 0);
    closeLayout->addStretch();
    closeLayout->addWidget(BitBtn1);
    closeLayout->addStretch();
    auto* layout = new QVBoxLayout(Panel1);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel2);
    layout->addWidget(Panel3, 1);
    layout->addWidget(Panel4);
    Panel1->setMinimumWidth(BitBtn1->sizeHint().width() + 4);
    BitBtn1->setAutoDefault(false);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
    // Any press on the screen or the sample takes the sample: it can then be moved and sized.
    for (QWidget* pressed : {static_cast<QWidget*>(ScreenPnl), static_cast<QWidget*>(Panel1),
                             static_cast<QWidget*>(Panel2), static_cast<QWidget*>(Panel3),
                             RichEdit1->viewport(), static_cast<QWidget*>(Panel4)})
        attachOnPress(Panel1, pressed);
}

void THypTextAdjForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_placed)
        return;
    m_placed = true;
    layout()->activate();
    Panel1->setGeometry(m_display.WinLeft, m_display.WinTop, m_display.WinWidth + kWidthOverRecord,
                        m_display.WinHeight);
    Panel1->raise();
}

DisplayRecord THypTextAdjForm::placed() const
{
    DisplayRecord display = m_display;
    const QRect panel = Panel1->geometry();
    display.WinLeft = panel.left();
    display.WinTop = panel.top();
    display.WinWidth = panel.width() - kWidthOverRecord;
    display.WinHeight = panel.height();
    return display;
}

bool AdjustPopupWindow(DisplayRecord& display, const QStringList& rtfLines, QWidget* parent)
{
    THypTextAdjForm form(display, rtfLines, parent);
    if (RunModal(form) != TAdjustForm::Save)
        return false;
    display = form.placed();
    return true;
}
