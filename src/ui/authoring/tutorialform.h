// TTutorialForm (module tutdispF): shows the tool's tutorial document read-only, with find and
// print.
#pragma once

#include <QDialog>

class QMenuBar;
class TFindDialog;
class TRichEdit;

class TTutorialForm : public QDialog
{
    Q_OBJECT

public:
    explicit TTutorialForm(const QString& path, QWidget* parent = nullptr);

    void FindClick();
    void PrintClick();

    QMenuBar* MainMenu;
    TRichEdit* RichEdit1;
    TFindDialog* FindDialog1 = nullptr;

private:
    QString m_path;
};

// Shows the tutorial in the program directory, or says that it is missing.
void ShowTutorial(const QString& programDir, QWidget* parent = nullptr);
