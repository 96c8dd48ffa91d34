// The shared part of the window-adjusting windows.
#include "ui/design/adjustform.h"

#include "core/services/messages.h"
#include "platform/f1help.h"
#include "platform/help.h"
#include "preview/readerscreen.h"
#include "preview/richedit.h"
#include "ui/design/handles.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>

TAdjustForm::TAdjustForm(const char* className, int helpContext, bool helpInPopup, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      MainMenu1(new QMenuBar(this)), TitlePnl(new QLabel(this)), StatusPnl(new QLabel(this)),
      ScreenPnl(new TScreenPanel(this)), StretchHandle1(new TStretchHandle(this)),
      PopupMenu1(new QMenu(this))
{
    setObjectName(QString::fromLatin1(className));
    setWindowTitle(tr("Press Mouse Right Button for Menu"));
    SetHelpContext(this, 485);
    if (helpInPopup) {
        PUHelp = PopupMenu1->addAction(tr("Help"), this, [helpContext] { ShowHelp(helpContext); });
    }
    PUSave = PopupMenu1->addAction(tr("&Save and Quit"), this, [this] { done(Save); });
    PopupMenu1->addSeparator();
    PUQuit = PopupMenu1->addAction(tr("&Quit"), this, &QDialog::reject);
    TitlePnl->hide();
    StatusPnl->hide();
    LayOutReaderScreen(this, MainMenu1, TitlePnl, ScreenPnl, StatusPnl);
}

void TAdjustForm::setUpBars(const BarsRecord& bars)
{
    SetupBar(TitlePnl, bars.TitleShown, bars.TitleText.text(), bars.TitleFont.text(),
             bars.TitleColor);
    SetupBar(StatusPnl, bars.StatusShown, bars.StatusText.text(), bars.StatusFont.text(),
             bars.StatusColor);
}

void TAdjustForm::attachOnPress(QWidget* control, QWidget* pressed)
{
    pressed->installEventFilter(this);
    m_pressTargets.append(std::pair<QWidget*, QWidget*>{pressed, control});
}

bool TAdjustForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        for (const auto& [pressed, control] : std::as_const(m_pressTargets)) {
            if (watched == pressed) {
                StretchHandle1->Attach(control);
                return true; // the handle has the mouse now: the press goes on as its drag
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TAdjustForm::contextMenuEvent(QContextMenuEvent* event)
{
    PopupMenu1->popup(event->globalPos());
}

void TAdjustForm::done(int result)
{
    if (result != Save && !m_asked) {
        m_asked = true; // asked once, whichever way out came first
        if (Confirm(QStringLiteral("Save changes?")))
            result = Save;
    }
    QDialog::done(result);
}
