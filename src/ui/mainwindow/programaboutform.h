// TProgramAboutForm: the tool's own about window.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

class TProgramAboutForm : public QDialog
{
    Q_OBJECT

public:
    explicit TProgramAboutForm(QWidget* parent = nullptr);

    QLabel* ProductLbl;
    QLabel* VersionLbl;
    QLabel* CommentLbl;
    QPushButton* OKBtn;
};
