// TGetFileForm (module Hwvgetf, Hvdgetf, Hmdgetf, Hhtgetf): the file of a voice, video, MIDI or web
// page link.
#pragma once

#include "ui/common/pickerform.h"

// The single-file pickers: voice, video, MIDI tune, web page.
class TGetFileForm : public TPickerForm
{
    Q_OBJECT
public:
    enum Kind
    {
        Audio,
        Video,
        Midi,
        Html
    };
    TGetFileForm(Kind kind, const QString& file, QWidget* parent = nullptr);
    QLineEdit* Edit1;
    FileListBox* FileListBox1;
    QPushButton* GetBtn;
};

// One call per kind: true on OK, with the values set; Cancel leaves them as they were.
bool GetAudio(QString& command, QString& voice, QWidget* parent = nullptr);
bool GetVideo(QString& command, QString& video, QWidget* parent = nullptr);
bool GetMidi(QString& command, QString& midi, QWidget* parent = nullptr);
bool GetHtml(QString& value, QWidget* parent = nullptr);
