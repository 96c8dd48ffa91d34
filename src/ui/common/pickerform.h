// TPickerForm: what the media and program pickers share: a name field over a file list of the
// project directory, a "Find File" that brings a file in from anywhere, "&View" that previews the
// choice, and a close check that refuses OK without a file. Each picker sets its own columns,
// extra field and preview.
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

// A Find File choice of a picker.
FileChoice PickerChoice(const char* filter, const char* title);
