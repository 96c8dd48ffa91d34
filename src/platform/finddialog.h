// The find and replace dialogs: modeless, searching downward, without the match-case, whole-word
// and direction options.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class TFindDialog : public QDialog
{
    Q_OBJECT

public:
    enum Mode
    {
        Find,
        Replace
    };
    TFindDialog(Mode mode, const QString& findText, QWidget* parent = nullptr);

    QString findText() const;
    // A selection of 1 to 29 characters becomes the text to find; a longer one leaves it.
    void takeShortSelection(const QString& selected);
    QString replaceText() const;

    QLineEdit* FindEdit;
    QLineEdit* ReplaceEdit; // hidden when finding only
    QPushButton* FindNextBtn;
    QPushButton* ReplaceBtn;
    QPushButton* ReplaceAllBtn;
    QPushButton* CancelBtn;

signals:
    void findNext();
    void replace();
    void replaceAll();
};
