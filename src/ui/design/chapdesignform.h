// TChapDesignForm (module chpdesnF): creates a chapter display file or changes one: full screen or
// text window, the text window's colour, printing, and (through the background window) the screen
// behind.
#pragma once

#include "core/project/workingstate.h"

#include <QDialog>

#include <optional>

class FileListBox;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TChapDesignForm : public QDialog
{
    Q_OBJECT

public:
    // `project` and `chapterFile` only go on to the background and adjust windows.
    TChapDesignForm(WorkingState& state, const ProjectRecord& project, const QString& chapterFile,
                    QWidget* parent = nullptr);

    const DisplayRecord& display() const { return m_display; }
    // The display file being changed; empty for a new one.
    const QString& fileName() const { return m_fileName; }
    // The name the display was saved under; empty until "&Save" has written it.
    const QString& savedName() const { return m_savedName; }

    QRadioButton* RadioButton3; // "Create New Display File"
    QRadioButton* RadioButton4; // "Modify  File"
    QLineEdit* DisplayEdit;
    FileListBox* FileListBox1;
    QGroupBox* ColorGrpBx;
    QFrame* Panel1;
    QPushButton* Button3;
    QRadioButton* RadioButton1; // "Display full Screen"
    QRadioButton* RadioButton2; // "Display in Text Window"
    QPushButton* DesignBtn;
    QCheckBox* CheckBox1;
    QPushButton* OKBtn;
    QPushButton* cancelbtn;

    void createNew();
    void modifyFile();
    void pickFile(const QString& name);
    void selectColour();
    void designTextWindow();
    void save();

private:
    void build();
    void showDisplay();

    WorkingState& m_state;
    ProjectRecord m_project;
    QString m_chapterFile;
    DisplayRecord m_display;
    QString m_fileName;
    QString m_savedName;
};

// The chapter windows' "Design Display File": the name of the display file saved, or nothing.
std::optional<QString> DesignChapterDisplay(WorkingState& state, const ProjectRecord& project,
                                            const QString& chapterFile, QWidget* parent);
