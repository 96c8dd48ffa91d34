// TGetGrAudioForm (module Hgagetf): the picture and sound of a Graphic and Sound link, and the
// picture's time.
#pragma once

#include "ui/common/pickerform.h"

class TGetGrAudioForm : public TPickerForm
{
    Q_OBJECT
public:
    TGetGrAudioForm(const QString& graphic, const QString& sound, int duration,
                    QWidget* parent = nullptr);
    QLineEdit* Edit1; // graphic
    QLineEdit* Edit2; // sound
    QLineEdit* Edit3; // duration
    QPushButton* Button1;
    QPushButton* Button2;
};

// True on OK, with the values set; Cancel leaves them as they were.
bool GetGraphicAudio(QString& command, QString& graphic, QString& sound, int& duration,
                     QWidget* parent = nullptr);
