// TProgConfigForm (module PConfigf): what frames the whole book program: the title of the reader's
// windows, the icon, the help file, the video advisory, the background, the opening and closing
// screens, the introduction and the About box.
#pragma once

#include "core/project/records.h"

#include <QDialog>
#include <QStringList>

class FileListBox;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

class TProgConfigForm : public QDialog
{
    Q_OBJECT

public:
    // Works on copies; "&Save" hands them back and writes or removes the introduction section
    // of `hyperTextFile`.
    TProgConfigForm(PresentationRecord& presentation, ConfigRecord& config,
                    const QString& hyperTextFile, QWidget* parent = nullptr);

    QLineEdit* Edit1;         // the title
    QComboBox* LanguageCombo; // the book's language: names, each with its tag
    QCheckBox* IconChkBx;
    QGroupBox* IconGrp;
    QLineEdit* IconEdit;
    FileListBox* FileListBox1;
    QPushButton* Button1; // "&Find File"
    QCheckBox* CheckBox3; // " Use Help File"
    QPushButton* HelpBtn;
    QCheckBox* VideoChkBx;
    QPushButton* Button2; // "Design Background Screen"
    QCheckBox* OpenChkBx;
    QPushButton* OpenBtn;
    QCheckBox* CloseChkBx;
    QPushButton* CloseBtn;
    QCheckBox* IntroChkBx;
    QPushButton* IntroBtn;
    QCheckBox* AboutChkBx;
    QPushButton* AboutBtn;
    QPushButton* BitBtn1; // "&Save"
    QPushButton* BitBtn2; // "&Cancel"

protected:
    void done(int result) override;

private:
    void build();
    void connectControls();
    void showRecords();
    void showLanguage(const QString& tag);
    void editCommand(CommandRecord& command, bool& defined, const QString& caption, int helpContext,
                     bool opening);
    bool commandsDefined();
    void save();

    PresentationRecord& m_presentationOut;
    ConfigRecord& m_configOut;
    PresentationRecord m_presentation;
    ConfigRecord m_config;
    QString m_hyperTextFile;
    QString m_shownLanguage; // as the window opened: stored, else the author's own
    bool m_openingDefined = false;
    bool m_closingDefined = false;
    QStringList m_introLines;
    bool m_introExisted = false;
    bool m_introEdited = false;
};

// "Program Presentation": true when the author saved.
bool ConfigureProgram(PresentationRecord& presentation, ConfigRecord& config,
                      const QString& hyperTextFile, QWidget* parent);
