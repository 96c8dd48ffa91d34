// Thypermenuform (module BHyperf): the HyperText utilities, from which the author defines links
// chapter by chapter, previews any link of the book as the reader sees it, and deletes links.
#pragma once

#include "core/project/workingstate.h"

#include <QDialog>

class QLabel;
class QPushButton;

class Thypermenuform : public QDialog
{
    Q_OBJECT

public:
    explicit Thypermenuform(WorkingState& state, QWidget* parent = nullptr);

    QPushButton* AddBtn;
    QPushButton* viewbtn;
    QPushButton* deleteBtn;
    QPushButton* CloseBtn;
    // The underlined phrases that have no link yet, named; hidden when every phrase has one.
    QLabel* UnlinkedLbl;

    void AddBtnClick();
    void viewbtnClick();
    void deleteBtnClick();

private:
    void enableButtons();

    WorkingState& m_state;
};

// Chooses an entry of the project's HyperText file and shows it as the reader's click would.
void ViewEntries(WorkingState& state, const QString& source, int helpContext, QWidget* parent);
// Chooses an entry of the file and deletes it after the author agrees.
void DeleteEntries(const QString& file, const QString& source, int helpContext);

// The utilities window on the open project.
void OpenHyperTextUtilities(WorkingState& state, QWidget* parent);
