// TChapListForm (module ChppickF): the book's chapters by menu entry, each with its words, to
// view or modify one; under them the book's words and its reading time.
#pragma once

#include "core/project/workingstate.h"
#include "core/writing/wordcount.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;
class QTimer;

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
    QLabel* TotalLbl;

    // Whether every chapter has been counted (the counting goes a chapter at a time, so that a
    // long book does not hold the window).
    bool counted() const;

private:
    void loadEntries();
    void countNext();

    WorkingState& m_state;
    QStringList m_files; // each entry's chapter file
    int m_nextCount = 0;
    TextCount m_total;
    QTimer* m_counting;
};
