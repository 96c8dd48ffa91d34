// TMakeDirForm (module Makedirf): asks for a folder (existing or new) and a file name, for a new
// e-book.
#pragma once

#include <QDialog>

class DirectoryListBox;
class DriveComboBox;
class FileListBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TMakeDirForm : public QDialog
{
    Q_OBJECT

public:
    TMakeDirForm(const QString& mask, int helpContext, const QString& prompt,
                 QWidget* parent = nullptr);

    // The folder text with "/" appended when it lacks one, and the name as typed.
    QString folder() const;
    QString name() const;

    QLabel* DriveLbl;
    DriveComboBox* DriveComboBox1;
    QLabel* DirectoryLbl;
    QLineEdit* Edit1;
    DirectoryListBox* DirectoryListBox1;
    QLabel* FileLbl;
    QLineEdit* Edit2;
    FileListBox* FileListBox1;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

public slots:
    void done(int result) override;

private:
    void buildLayout();
    bool canClose();
};

// Shows the dialog; true when the author pressed OK, with the folder and name filled in.
bool AskNameAndFolder(const QString& mask, QString& folder, QString& name, int helpContext,
                      const QString& prompt, QWidget* parent = nullptr);
