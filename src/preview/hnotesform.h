// THNotesForm (module HNotesF): the notepad, a small plain-text editor that the book opens for its
// notepad links and the author uses to prepare those files.
#pragma once

#include <QDialog>

class QAction;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class TFindDialog;

class THNotesForm : public QDialog
{
    Q_OBJECT

public:
    explicit THNotesForm(const QString& fileName, QWidget* parent = nullptr);

    QString currentFileName() const { return m_fileName; }

    // The menu commands.
    void New();
    void Open(); // NOLINT(bugprone-virtual-near-miss): the File menu's Open, not QDialog::open
    void Save();
    void SaveAs();
    void Print();
    // Searches forward from the selection's end, with case; false (and a beep) when not found.
    bool FindNext(const QString& text);
    void Replace(const QString& find, const QString& with, bool all);
    void ShowFindDialog();
    void ShowReplaceDialog();

    QMenuBar* MainMenu;
    QMenu* EditMenu;
    QAction* CutItem;
    QAction* CopyItem;
    QAction* PasteItem;
    QPlainTextEdit* Memo1;
    TFindDialog* FindDialog1 = nullptr;
    TFindDialog* ReplaceDialog1 = nullptr;

public slots:
    void done(int result) override;

private:
    void buildMenu();
    bool savePrompt(); // false when the author cancelled
    void load(const QString& fileName);
    void write(const QString& fileName);
    void setCaptionName(const QString& name);
    void updateEditMenu();

    QString m_fileName;
    QString m_saveDialogName;
    bool m_utf8 = false;
};

// Opens the notepad modally on the file (which need not exist yet).
void OpenNotepad(const QString& fileName, QWidget* parent = nullptr);
