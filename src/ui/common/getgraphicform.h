// TGetGraphicForm (module Hgrgetf): the picture of a Graphic Only link and how long it shows.
#pragma once

#include "ui/common/pickerform.h"

// The members of the family, each with the control names of its design.
class TGetGraphicForm : public TPickerForm
{
    Q_OBJECT
public:
    TGetGraphicForm(const QString& graphic, int duration, QWidget* parent = nullptr);
    QLineEdit* Edit1;
    QLineEdit* Edit2; // duration
    FileListBox* FileListBox1;
    QPushButton* GetBtn;
};

// The picture column the graphic pickers share, and a picture command: picture "," duration.
extern const PickerColumn kGraphicColumn;
QString GraphicCommand(const QString& graphic, const QString& duration);

// True on OK, with the values set; Cancel leaves them as they were.
bool GetGraphic(QString& command, QString& graphic, int& duration, QWidget* parent = nullptr);
