// TDistribForm (module bkDistf): where the distribution goes; and the Prepare Distribution action.
#pragma once

#include "core/distribution/distribution.h"
#include "core/project/workingstate.h"

#include <QDialog>

#include <optional>

class DirectoryListBox;
class QCheckBox;
class DriveComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class ReaderSystemBox;

class TDistribForm : public QDialog
{
    Q_OBJECT

public:
    // Opens on `startFolder` (the project's last distribution folder) when one is given, else
    // on the current folder.
    TDistribForm(const QString& projectDir, const QString& startFolder = {},
                 QWidget* parent = nullptr);

    // The folder text with "/" appended.
    QString folder() const;
    // Where "Create &EPUB" and "Create &Web Book" write: the folder typed, or the project
    // folder when none is.
    QString editionFolder() const;
    // Whether the reader libraries go with the book.
    ReaderLibraries readerLibraries() const;
    // The author's word that the book's accessibility was checked, under a name: the EPUB
    // claims conformance only with it. `defaultName` fills the name when none was given.
    void setAccessibilityCheckedBy(const std::optional<QString>& name, const QString& defaultName);
    std::optional<QString> accessibilityCheckedBy() const;

    QLabel* DriveLbl;
    DriveComboBox* DriveComboBox1;
    QLabel* DirectoryLbl;
    QLineEdit* Edit1;
    DirectoryListBox* DirectoryListBox1;
    QLabel* SystemLbl;
    ReaderSystemBox* SystemBox;
    QCheckBox* ReaderLibrariesBox;
    QCheckBox* AccessibilityBox;
    QLabel* CheckedByLbl;
    QLineEdit* CheckedByEdit;
    QPushButton* EpubBtn;
    QPushButton* WebBtn;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

public slots:
    void done(int result) override;

private:
    QString m_projectDir;
};

// The Prepare Distribution action: choose the folder and the readers' system (stored with the
// book when it changes), then copy; or make the EPUB or the web edition. The window opens on the
// folder last used for the project while the tool runs.
void PrepareDistribution(WorkingState& state, QWidget* parent);

// Writes BASE.epub into `folder` (made when missing) and says where, with what the EPUB could
// not carry over. False after a message when nothing was written.
bool CreateEpub(WorkingState& state, const QString& folder);

// Writes the web edition BASE-web into `folder` (made when missing), replacing an earlier one
// only once the new one is whole, and says where. False after a message when nothing was written.
bool CreateWebBook(WorkingState& state, const QString& folder);
