// TGetWinExeForm (module Hwngetf): a program line: a program of the system and a document of the
// book.
#pragma once

#include "ui/common/pickerform.h"

class TGetWinExeForm : public TPickerForm
{
    Q_OBJECT
public:
    TGetWinExeForm(const QString& value, QWidget* parent = nullptr);
    QLineEdit* Edit1;
};

// True on OK, with the value set.
bool GetWinExe(QString& value, QWidget* parent = nullptr);
