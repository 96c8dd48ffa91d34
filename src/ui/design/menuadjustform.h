// TMenuAdjustForm (module bMenadjf): places the table of contents' list panel and author box on a
// mock-up of the table-of-contents screen. A click selects a control; the next press on its handles
// drags it.
#pragma once

#include "ui/design/adjustform.h"

class QFrame;
class QPushButton;

class TMenuAdjustForm : public TAdjustForm
{
    Q_OBJECT

public:
    explicit TMenuAdjustForm(const MenuRecord& menu, QWidget* parent = nullptr);

    QAction* MQuit;
    QFrame* AuthorPnl;
    QLabel* Labels[6];
    QFrame* Panel3;
    QFrame* Panel10;
    QFrame* CommandPnl;
    QPushButton* OKBtn;
    QPushButton* QuitBtn;

    // The record with the list panel's and author box's places as the author left them.
    MenuRecord placed() const;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void select(QWidget* control);
    void centreCommands();

    MenuRecord m_menu;
    QList<std::pair<QWidget*, QWidget*>> m_clickTargets; // clicked widget, control it selects
    bool m_placed = false;
};

// True when the author saved; the record then holds the new places.
bool AdjustMenuWindow(MenuRecord& menu, QWidget* parent = nullptr);
