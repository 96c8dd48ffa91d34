// TAboutBox (module abtdispf): a book's About box as its reader sees it.
#pragma once

#include "core/project/records.h"

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

class TAboutBox : public QDialog
{
    Q_OBJECT

public:
    // With `plain` the record's icon settings are ignored.
    TAboutBox(const AboutRecord& about, bool plain, QWidget* parent = nullptr);

    // The comment lines run on as one paragraph; an empty line starts a new one.
    static QString CommentText(const AboutRecord& about);

    QFrame* Panel1;
    QLabel* ProgramIcon;
    QLabel* ProductName;
    QLabel* Version;
    QLabel* AuthorLbl;
    QLabel* Comms;
    QPushButton* OKButton;
};

// Shows the About box; when its icon is wanted but missing, only the message is shown.
void ShowAboutBox(const AboutRecord& about, QWidget* parent = nullptr, bool plain = false);
