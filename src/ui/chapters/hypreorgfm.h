// THypReorgFm (module Breorder): moves one chapter at a time to the place before another.
#pragma once

#include "core/project/workingstate.h"
#include "core/sections/entrysearch.h"

#include <QDialog>

class QFrame;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

class THypReorgFm : public QDialog
{
    Q_OBJECT

public:
    THypReorgFm(WorkingState& state, QWidget* parent = nullptr);

    void Find1BtnClick();
    void Find2BtnClick();
    void SortBitBtnClick();

    QRadioButton* ToMoveRBtn;
    QRadioButton* MovetoRbtn;
    QFrame* List1Pnl;
    QListWidget* ListBox1;
    QPushButton* Find1Btn;
    QPushButton* OK1Btn;
    QFrame* List2Pnl;
    QListWidget* ListBox2;
    QPushButton* Find2Btn;
    QPushButton* OK2Btn;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QPushButton* SortBitBtn;
    QPushButton* CancelBitBtn;

private:
    QFrame* buildListPanel(QListWidget* list, QPushButton* find, QPushButton* select);
    void reset();
    void choose(QListWidget* list, QLineEdit* edit);
    void findIn(QListWidget* list, EntrySearch& search, QPushButton* select);
    void updateMoveButton();

    WorkingState& m_state;
    QStringList m_entries;
    int m_moveRow = -1; // the chapters chosen, by position: entries may repeat in old lists
    int m_beforeRow = -1;
    EntrySearch m_search1;
    EntrySearch m_search2;
};
