// TBookFindForm: Find and Replace across the book. It lists every place the text occurs, in the
// chapters and the HyperText entries' texts, with a line of context; Enter or a double click
// opens the chapter editor at the place; Replace All changes every chapter after a question.
#pragma once

#include "core/project/workingstate.h"
#include "core/writing/booksearch.h"

#include <QDialog>

#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;

class TBookFindForm : public QDialog
{
    Q_OBJECT

public:
    explicit TBookFindForm(WorkingState& state, QWidget* parent = nullptr);

    // Whether the search has gone through the whole book.
    bool searched() const;

    QLineEdit* FindEdit;
    QLineEdit* ReplaceEdit;
    QCheckBox* CaseBox;
    QCheckBox* WordBox;
    QPushButton* FindBtn;
    QPushButton* ReplaceBtn;
    QPushButton* CloseBtn;
    QListWidget* HitList;
    QLabel* CountLbl;

private:
    void find();
    void searchNext();
    void showCount();
    void openHit();
    void replaceAll();
    SearchRequest request() const;

    WorkingState& m_state;
    std::unique_ptr<BookSearch> m_search;
    QList<SearchHit> m_hits;
    QTimer* m_searching;
};

// Shows the window modally.
void OpenBookFind(WorkingState& state, QWidget* parent);
