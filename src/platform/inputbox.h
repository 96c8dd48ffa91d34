// A one-line question: a caption, a prompt, an edit field offering a text, OK and Cancel.
#pragma once

#include <QDialog>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

class TInputBox : public QDialog
{
    Q_OBJECT

public:
    TInputBox(const QString& caption, const QString& prompt, const QString& offered,
              QWidget* parent = nullptr);

    QLabel* PromptLbl;
    QLineEdit* Edit;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
};

// The author's answer; nothing when the box is cancelled.
std::optional<QString> InputBox(const QString& caption, const QString& prompt,
                                const QString& offered, QWidget* parent = nullptr);
