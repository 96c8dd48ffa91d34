// TIntDispForm (module PIntDspF): the book's introduction as the reader sees it, before the table
// of contents.
#pragma once

#include "preview/previewcontext.h"

#include <QDialog>

class QAction;
class QLabel;
class QMenuBar;
class TScreenPanel;
class TTextWindow;

class TIntDispForm : public QDialog
{
    Q_OBJECT

public:
    TIntDispForm(const PreviewContext& context, const QStringList& textLines,
                 QWidget* parent = nullptr);

    QMenuBar* MainMenu1;
    QAction* MQuit;
    QAction* MHelp;
    QAction* MAbout;
    QLabel* TitlePnl;
    QLabel* StatusPnl;
    TScreenPanel* ScreenPnl;
    TTextWindow* TextPnl;

protected:
    void showEvent(QShowEvent* event) override;

private:
    ProjectRecord m_project;
    QByteArray m_text;
    BookHelpScope m_help;
};

void ShowIntroduction(const PreviewContext& context, const QStringList& textLines,
                      QWidget* parent = nullptr);
