// The table of contents' window-adjusting window (module bMenadjf).
#include "ui/design/menuadjustform.h"

#include "platform/modal.h"
#include "preview/bookmenuform.h"
#include "preview/readerscreen.h"
#include "ui/design/handles.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kStripHeight = 32;

} // namespace

TMenuAdjustForm::TMenuAdjustForm(const MenuRecord& menu, QWidget* parent)
    : TAdjustForm("TMenuAdjustForm", 222, true, parent), AuthorPnl(new QFrame(ScreenPnl)),
      Panel3(new QFrame(ScreenPnl)), Panel10(new QFrame(Panel3)), CommandPnl(new QFrame(Panel3)),
      OKBtn(new QPushButton(tr("&OK"), CommandPnl)),
      QuitBtn(new QPushButton(tr("&Quit"), CommandPnl)), m_menu(menu)
{
    PUHelp->setText(tr("&Help"));
    MQuit = MainMenu1->addAction(tr("&Quit")); // a mock-up: it does nothing
    setUpBars(menu.MenuBars);
    ScreenPnl->setColour(BookColour(menu.MenuDisplay.BackColor));
    ShowBackground(ScreenPnl, BackgroundOf(menu.MenuDisplay));

    BuildAuthorBox(AuthorPnl, Labels);

    Panel3->setAutoFillBackground(true);
    Panel3->setBackgroundRole(QPalette::Button);
    Panel10->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel10->setLineWidth(2);
    Panel10->setAutoFillBackground(true);
    Panel10->setBackgroundRole(QPalette::Base);
    CommandPnl->setFixedSize(146, 27);
    OKBtn->setGeometry(2, 2, 70, 23);
    OKBtn->setDefault(true);
    QuitBtn->setGeometry(74, 2, 70, 23);
    Panel3->setMinimumWidth(CommandPnl->width() + 4);

    for (QWidget* clicked : {static_cast<QWidget*>(AuthorPnl), static_cast<QWidget*>(Labels[0]),
                             static_cast<QWidget*>(Labels[1]), static_cast<QWidget*>(Labels[2]),
                             static_cast<QWidget*>(Labels[3]), static_cast<QWidget*>(Labels[4]),
                             static_cast<QWidget*>(Labels[5])}) {
        clicked->installEventFilter(this);
        m_clickTargets.append(std::pair<QWidget*, QWidget*>{clicked, AuthorPnl});
    }
    for (QWidget* clicked : {static_cast<QWidget*>(Panel3), static_cast<QWidget*>(Panel10),
                             static_cast<QWidget*>(CommandPnl), static_cast<QWidget*>(OKBtn),
                             static_cast<QWidget*>(QuitBtn)}) {
        clicked->installEventFilter(this);
        m_clickTargets.append(std::pair<QWidget*, QWidget*>{clicked, Panel3});
    }
}

void TMenuAdjustForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_placed)
        return;
    m_placed = true;
    layout()->activate();
    SetUpAuthorBox(AuthorPnl, Labels, m_menu);
    const DisplayRecord& display = m_menu.MenuDisplay;
    Panel3->setGeometry(display.WinLeft, display.WinTop, display.WinWidth, display.WinHeight);
    centreCommands();
    Panel3->raise();
}

void TMenuAdjustForm::centreCommands()
{
    const int width = Panel3->width();
    const int height = Panel3->height();
    Panel10->setGeometry(0, 0, width, std::max(0, height - kStripHeight));
    CommandPnl->move(width / 2 - CommandPnl->width() / 2,
                     std::max(0, height - kStripHeight) +
                         (kStripHeight - CommandPnl->height()) / 2);
}

bool TMenuAdjustForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Panel3 && event->type() == QEvent::Resize)
        centreCommands();
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        for (const auto& [clicked, control] : std::as_const(m_clickTargets)) {
            if (watched == clicked) {
                select(control);
                return true; // the buttons of the mock-up press nothing
            }
        }
    }
    return TAdjustForm::eventFilter(watched, event);
}

void TMenuAdjustForm::select(QWidget* control)
{
    StretchHandle1->Detach();
    StretchHandle1->Attach(control);
    StretchHandle1->releaseMouse(); // selected on click: the drag starts with the next press
}

void TMenuAdjustForm::keyPressEvent(QKeyEvent* event)
{
    event->ignore(); // no key closes this window; Escape included
}

MenuRecord TMenuAdjustForm::placed() const
{
    MenuRecord menu = m_menu;
    if (menu.UseAuthorBox) {
        const QRect box = AuthorPnl->geometry();
        menu.Author.AuthorTop = std::uint16_t(std::max(0, box.top()));
        menu.Author.AuthorLeft = std::uint16_t(std::max(0, box.left()));
        menu.Author.AuthorWidth = std::uint16_t(box.width());
        menu.Author.AuthorHeight = std::uint16_t(box.height());
    }
    const QRect list = Panel3->geometry();
    menu.MenuDisplay.WinTop = list.top();
    menu.MenuDisplay.WinLeft = list.left();
    menu.MenuDisplay.WinHeight = list.height();
    menu.MenuDisplay.WinWidth = list.width();
    return menu;
}

bool AdjustMenuWindow(MenuRecord& menu, QWidget* parent)
{
    TMenuAdjustForm form(menu, parent);
    if (RunModal(form) != TAdjustForm::Save)
        return false;
    menu = form.placed();
    return true;
}
