// The media and program pickers: a name field over a file list of the project directory, a
// "Find File" that brings a file in from anywhere, "&View" that previews the choice, and a close
// check that refuses OK without a file. TPickerForm holds what they share; each picker sets its
// own columns, extra field and preview.
#pragma once

#include "platform/filedialogs.h"

#include <QDialog>

#include <functional>

class FileListBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// One file column of a picker.
struct PickerColumn
{
    QString groupCaption;
    QString listMask;       // empty: no list and no Find File
    FileChoice findChoice;  // the Find File dialog
    QStringList fallbacks;  // masks tried in turn when Find File leaves the field empty
    QString missingMessage; // OK without a file
};

class TPickerForm : public QDialog
{
    Q_OBJECT

public:
    struct Column
    {
        QGroupBox* group;
        QLineEdit* edit;
        FileListBox* list;
        QPushButton* findBtn;
        PickerColumn config;
    };

    TPickerForm(const QString& objectName, int helpContext, const QList<PickerColumn>& columns,
                QWidget* parent);

    QLineEdit* nameEdit(int column = 0) const { return m_columns.at(column).edit; }
    FileListBox* fileList(int column = 0) const { return m_columns.at(column).list; }
    QPushButton* findButton(int column = 0) const { return m_columns.at(column).findBtn; }
    void FindFile(int column);

    QPushButton* BitBtn1; // "&View"
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

public slots:
    void done(int result) override;

protected:
    // A duration (tenths of a second) or parameters field below the columns.
    QLineEdit* addExtraField(const QString& label, int maxLength);
    // The duration field: empty becomes "0", a bad number is refused.
    void makeDurationField(QLineEdit* field);
    void setPreview(std::function<void()> preview) { m_preview = std::move(preview); }
    // When "&View" is enabled: by default when every name field holds a name.
    void setViewAlwaysEnabled() { m_viewAlways = true; }
    void updateView();

private:
    QList<Column> m_columns;
    QList<QLineEdit*> m_durationFields;
    std::function<void()> m_preview;
    bool m_viewAlways = false;
    QLayout* m_extraRows;
};

// One call per picker: true on OK, with the in/out values set; Cancel leaves them as they were.
bool GetGraphic(QString& command, QString& graphic, int& duration, QWidget* parent = nullptr);
bool GetAudio(QString& command, QString& voice, QWidget* parent = nullptr);
bool GetGraphicAudio(QString& command, QString& graphic, QString& sound, int& duration,
                     QWidget* parent = nullptr);
bool GetVideo(QString& command, QString& video, QWidget* parent = nullptr);
bool GetMidi(QString& command, QString& midi, QWidget* parent = nullptr);
bool GetExe(QString& value, QWidget* parent = nullptr);
bool GetHtml(QString& value, QWidget* parent = nullptr);
bool GetWinExe(QString& value, QWidget* parent = nullptr);

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

class TGetWinExeForm : public TPickerForm
{
    Q_OBJECT
public:
    TGetWinExeForm(const QString& value, QWidget* parent = nullptr);
    QLineEdit* Edit1;
};
