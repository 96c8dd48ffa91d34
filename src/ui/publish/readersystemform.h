// The readers' system of a book (Windows, Linux, or both): the choice in Create Executable's
// window and in Prepare Distribution's, remembered for the book.
#pragma once

#include "core/book/readersystem.h"
#include "core/project/workingstate.h"

#include <QComboBox>
#include <QDialog>

class QLabel;
class QPushButton;

// "Windows", "Linux", "Windows and Linux"; typing a letter picks the entry it starts.
class ReaderSystemBox : public QComboBox
{
    Q_OBJECT

public:
    explicit ReaderSystemBox(QWidget* parent = nullptr);
    ReaderSystem system() const;
    void setSystem(ReaderSystem system);
};

// What the executables of a book made for `readers` are called: "Makes BOOK.EXE for Windows
// readers."
QString ExecutablesText(const WorkingState& state, ReaderSystem readers);

// Create Executable's window: the readers' system, and the files it makes.
class TReaderSystemForm : public QDialog
{
    Q_OBJECT

public:
    TReaderSystemForm(const WorkingState& state, QWidget* parent = nullptr);
    ReaderSystem system() const { return SystemBox->system(); }

    QLabel* SystemLbl;
    ReaderSystemBox* SystemBox;
    QLabel* FilesLbl;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
};

// The Create Executable action: asks for the readers' system (stored with the book when it
// changes), builds, and offers the test.
void CreateExecutable(WorkingState& state, QWidget* parent);
