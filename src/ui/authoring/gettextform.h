// TGetTextForm: asks for the name under which a chapter is saved.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class TGetTextForm : public QDialog
{
    Q_OBJECT

public:
    explicit TGetTextForm(const QString& name, QWidget* parent = nullptr);

    QLabel* Label1;
    QLineEdit* Edit1;
    QPushButton* SaveBtn;
    QPushButton* CancelBtn;
};
