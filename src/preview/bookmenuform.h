// TBookMenuForm (module Bmnudspf): the book's table of contents as the reader sees it.
#pragma once

#include "preview/previewcontext.h"

#include <QDialog>

class QAction;
class QFrame;
class QLabel;
class QListWidget;
class QMenuBar;
class QPushButton;
class TScreenPanel;

class TBookMenuForm : public QDialog
{
    Q_OBJECT

public:
    TBookMenuForm(const PreviewContext& context, const QStringList& entries,
                  QWidget* parent = nullptr);

    void OKBitBtnClick();

    QMenuBar* MainMenu1;
    QAction* MQuit;
    QAction* MAbout;
    QAction* MHelp;
    QLabel* TitlePnl;
    QLabel* StatusPnl;
    TScreenPanel* MainPnl;
    QFrame* AuthorPnl;
    QLabel* Labels[6];
    QFrame* Panel1;
    QListWidget* ListBox1;
    QFrame* ControlPnl;
    QPushButton* OKBitBtn;
    QPushButton* CancelBitBtn;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildMenu();
    void buildMenuBox();

    const PreviewContext& m_context;
    ProjectRecord m_project;
    BookHelpScope m_help;
};

void ShowTableOfContents(const PreviewContext& context, const QStringList& entries,
                         QWidget* parent = nullptr);

// The author box's six lines in its bevel, one under the other; hidden until set up.
void BuildAuthorBox(QFrame* box, QLabel* (&labels)[6]);
// The author box of a table of contents: the font, colours and bounds of the menu record, and
// its lines up to the last non-empty one.
void SetUpAuthorBox(QFrame* box, QLabel* const (&labels)[6], const MenuRecord& menu);
