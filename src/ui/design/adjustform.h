// The window-adjusting windows: a 640 x 480 mock-up of a reader screen, laid out as the reader
// screen lays itself out, on which the author drags and sizes the text window with a stretch
// handle. Coordinates are those of the screen panel, exactly as the reader screens read them, so
// what the author places is what the reader sees. The window writes back only on save.
#pragma once

#include "core/project/records.h"

#include <QDialog>

class QLabel;
class QMenu;
class QMenuBar;
class TScreenPanel;
class TStretchHandle;

class TAdjustForm : public QDialog
{
    Q_OBJECT

public:
    // The popup's "Help" item, where a member has it, opens this context.
    TAdjustForm(const char* className, int helpContext, bool helpInPopup, QWidget* parent);

    QMenuBar* MainMenu1;
    QLabel* TitlePnl;
    QLabel* StatusPnl;
    TScreenPanel* ScreenPnl;
    TStretchHandle* StretchHandle1;
    QMenu* PopupMenu1;
    QAction* PUHelp = nullptr;
    QAction* PUSave;
    QAction* PUQuit;

    static constexpr int Save = QDialog::Accepted;

protected:
    // Every way out but "&Save and Quit" asks "Save changes?"; Yes saves.
    void done(int result) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // A left press on the control (or on what lies in it) attaches the handle to the control,
    // and the same press goes on as a drag.
    void attachOnPress(QWidget* control, QWidget* pressed);
    void setUpBars(const BarsRecord& bars);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<std::pair<QWidget*, QWidget*>> m_pressTargets; // pressed widget, control it attaches
    bool m_asked = false;
};
