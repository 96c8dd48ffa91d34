// TDistribForm: where the distribution goes; and the Prepare Distribution action.
#pragma once

#include "core/book/distribution.h"
#include "core/project/workingstate.h"

#include <QDialog>

class DirectoryListBox;
class QCheckBox;
class DriveComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TDistribForm : public QDialog
{
    Q_OBJECT

public:
    TDistribForm(const QString& projectDir, QWidget* parent = nullptr);

    // The folder text with "/" appended.
    QString folder() const;
    // Whether the reader libraries go with the book.
    ReaderLibraries readerLibraries() const;

    QLabel* DriveLbl;
    DriveComboBox* DriveComboBox1;
    QLabel* DirectoryLbl;
    QLineEdit* Edit1;
    DirectoryListBox* DirectoryListBox1;
    QCheckBox* ReaderLibrariesBox;
    QPushButton* EpubBtn;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

public slots:
    void done(int result) override;

private:
    QString m_projectDir;
};

// The Prepare Distribution action: choose the folder, then copy; or make the EPUB.
void PrepareDistribution(WorkingState& state, QWidget* parent);

// Writes BASE.epub beside the executable and says so, with what the EPUB could not carry over.
void CreateEpub(WorkingState& state);
