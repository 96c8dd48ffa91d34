// THypMenuForm (module BHypmenf): the link dialog. The author picks what a click on the phrase does
// and fills in its data through the kind's own window; Save writes the phrase's one section.
#pragma once

#include "core/project/workingstate.h"
#include "core/sections/linkdefinition.h"
#include "ui/authoring/linkdefiner.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class THypMenuForm : public QDialog
{
    Q_OBJECT

public:
    THypMenuForm(const QString& hyperTextFile, const QString& phrase, QWidget* parent = nullptr);

    const LinkDefinition& link() const { return m_link; }

    QLabel* Label1;
    QLineEdit* Edit1;
    QGroupBox* GroupBox1;
    // Text Only, Graphic Only, Voice Only, Executable, Graphic and Text, Graphic and Sound,
    // Video Player, MIDI Player, NotePad; each with its Add button.
    QRadioButton* RadioButtons[9];
    QPushButton* Buttons[9];
    // The words that stand for the link's picture, sound or film in the EPUB edition.
    QLabel* AltTextLabel;
    QLineEdit* AltTextEdit;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

    void OKBtnClick();

private:
    void build();
    void showState();
    void select(int row);
    void enableRow(int row);
    void add(int row);
    void addText(int row);
    void addPicture(int row);
    void addExecutable();
    void addNotepad();
    void prepare(QString& file, const QString& firstMask, const QString& secondMask) const;

    QString m_file;
    QString m_phrase;
    LinkDefinition m_link;
    bool m_damaged = false; // the stored section could not be read
};

// Opens the dialog for the phrase of the book whose HyperText file is given.
void DefineLink(const QString& hyperTextFile, const QString& phrase, QWidget* parent = nullptr);

// The link dialog as the definition viewers reach it, on the open project.
class LinkDialogDefiner : public LinkDefiner
{
public:
    explicit LinkDialogDefiner(const WorkingState& state) : m_state(state) {}
    void define(const QString& phrase) override;

private:
    const WorkingState& m_state;
};
