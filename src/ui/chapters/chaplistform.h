// TChapListForm (module ChppickF): the book's chapters by menu entry, to view or modify one.
#pragma once

#include "core/project/workingstate.h"

#include <QDialog>

class QListWidget;
class QPushButton;

class TChapListForm : public QDialog
{
    Q_OBJECT

public:
    TChapListForm(WorkingState& state, QWidget* parent = nullptr);

    void OKBitBtnClick(); // Modify
    void BitBtn1Click();  // View

    QListWidget* ListBox1;
    QPushButton* OKBitBtn;
    QPushButton* BitBtn1;
    QPushButton* CancelBitBtn;

private:
    void loadEntries();

    WorkingState& m_state;
};
