// TNoteFileForm (module HNfileF): names the text file a notepad link opens.
#pragma once

#include <QDialog>

#include <optional>

class QLineEdit;
class QPushButton;

class TNoteFileForm : public QDialog
{
    Q_OBJECT

public:
    explicit TNoteFileForm(const QString& command, QWidget* parent = nullptr);

    QLineEdit* Edit1;
    QPushButton* FindBtn;
    QPushButton* ViewBtn;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

public slots:
    // OK refuses a name outside the book's folder: the reader could not open it.
    void done(int result) override;

private:
    void findFile();
};

// The name entered, or nothing when the author cancelled.
std::optional<QString> AskNotepadFile(const QString& command, QWidget* parent = nullptr);
