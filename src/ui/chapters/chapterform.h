// What the add and modify chapter windows share: the menu entry with its uniqueness check, the
// display file list, "&View", "Design Display File" and the checks on "&Save". Each window works
// on copies of the current chapter and of the project taken when it opens.
#pragma once

#include "core/project/workingstate.h"

#include <QDialog>

class FileListBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TChapterForm : public QDialog
{
    Q_OBJECT

public:
    // `index` is the chapter record to write on Save; -1 appends.
    TChapterForm(WorkingState& state, qsizetype index, QWidget* parent);

    QLabel* MenuLbl;
    QLineEdit* ChapIDEdit;
    QLabel* Label1;
    QLabel* DisplayLbl;
    QLineEdit* DisplayEdit;
    FileListBox* FileListBox1;
    QPushButton* Button1;
    QPushButton* ViewBtn;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

    // Whether Save found the chapter list could not be written (the error was shown).
    bool writeFailed() const { return m_writeFailed; }

    // Runs when the menu entry loses the focus.
    void ChapIDEditExit();
    void ViewBtnClick();
    void Button1Click();

public slots:
    void done(int result) override;

protected:
    // The chapter file as the window shows it, and the control its empty check focuses.
    virtual QString chapterFile() const = 0;
    virtual QWidget* chapterFileControl() { return nullptr; }
    virtual void storeChapterFile(ChapterRecord&) const {}
    // Lays out the controls with the window's own chapter-file part in the middle.
    void buildLayout(QWidget* chapterFilePart);
    void fillFields();
    bool eventFilter(QObject* watched, QEvent* event) override;

    WorkingState& m_state;
    ProjectRecord m_project;
    QString m_ownEntry;
    qsizetype m_index;

private:
    bool canSave();
    bool m_checkingEntry = false;
    bool m_writeFailed = false;
};
