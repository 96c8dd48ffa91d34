// TChapDispForm (module chpdispf): one chapter as the reader sees it, with live HyperText.
#pragma once

#include "preview/previewcontext.h"

#include <QDialog>

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class TFindDialog;
class TScreenPanel;
class TTextWindow;

class TChapDispForm : public QDialog
{
    Q_OBJECT

public:
    TChapDispForm(const PreviewContext& context, const DisplayRecord& display,
                  const QByteArray& chapterText, QWidget* parent = nullptr);

    // A press in the text: the phrase there, looked up and acted on.
    void RichEdit1MouseDown();
    void MFindClick();

    QMenuBar* MainMenu1;
    QAction* MQuit;
    QAction* MFind;
    QMenu* MPrint;
    QAction* MAbout;
    QAction* MHelp;
    QLabel* TitlePnl;
    QLabel* StatusPnl;
    TScreenPanel* ScreenPnl;
    TTextWindow* TextPnl;
    TFindDialog* FindDialog1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildMenu();

    const PreviewContext& m_context;
    ProjectRecord m_project;
    DisplayRecord m_display;
};

// Shows a chapter modally.
void ShowChapter(const PreviewContext& context, const DisplayRecord& display,
                 const QByteArray& chapterText, QWidget* parent = nullptr);
