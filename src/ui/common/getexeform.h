// TGetExeForm (module Hexgetf): the program of an Executable Program link and its parameters.
#pragma once

#include "ui/common/pickerform.h"

class TGetExeForm : public TPickerForm
{
    Q_OBJECT
public:
    TGetExeForm(const QString& value, QWidget* parent = nullptr);
    QString value() const; // program, or program "," parameters
    QLineEdit* Edit1;
    QLineEdit* Edit2; // parameters
    QPushButton* GetBtn;
};

// True on OK, with the value (program, or program "," parameters) set.
bool GetExe(QString& value, QWidget* parent = nullptr);
