// TGetInputTextForm (module fmnulnkf): asks for the text to find in a list.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class TGetInputTextForm : public QDialog
{
    Q_OBJECT

public:
    enum Result
    {
        Cancelled = 0,
        FindFirst = 1,
        FindNext = 2
    };

    explicit TGetInputTextForm(const QString& text, QWidget* parent = nullptr);

    QLabel* Label1;
    QLineEdit* Edit1;
    QPushButton* FindFirstBtn;
    QPushButton* FindNextBtn;
    QPushButton* CancelBtn;
};

// Shows the find dialog with the text preset; returns a TGetInputTextForm::Result and, for the
// two find buttons, the edited text.
int AskFindText(QString& text, QWidget* parent = nullptr);

class EntrySearch;
class QListWidget;

// The find of the list windows: asks for the text, selects the match in the list (the first line
// when nothing matched or the author cancelled) and gives the focus to `focusAfter`.
void FindInList(QListWidget* list, const QStringList& lines, EntrySearch& search,
                QWidget* focusAfter);
