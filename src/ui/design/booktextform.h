// The caption windows: the words of the reader's menu buttons (an ampersand marks the hot key)
// (module btextf). TBookTextForm edits the book's captions and the media players' instruction;
// TChangeTextForm the three captions the introduction screen shows.
#pragma once

#include "core/project/workingstate.h"

#include <QDialog>

class QGridLayout;
class QLineEdit;
class QPushButton;

// What both caption windows share: the " Menu Buttons " group, "&Defaults", "&OK", "&Cancel".
class TCaptionsForm : public QDialog
{
    Q_OBJECT

public:
    QPushButton* DefaultsBtn;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

protected:
    TCaptionsForm(const CaptionsRecord& captions, int helpContext, QWidget* parent);
    // A labelled edit of at most `maxLength` characters in the menu buttons' group.
    QLineEdit* addCaption(const QString& label, int maxLength);
    void finishLayout(QWidget* below = nullptr);
    virtual void fill() = 0;
    virtual void store() = 0;
    CaptionsRecord m_captions; // the copy the window works on

private:
    QGridLayout* m_grid;
    QWidget* m_group;
};

class TBookTextForm : public TCaptionsForm
{
    Q_OBJECT

public:
    // "&OK" stores the captions in the project, sets the players' instruction and writes the
    // project file.
    explicit TBookTextForm(WorkingState& state, QWidget* parent = nullptr);

    QLineEdit* Edit1; // Quit
    QLineEdit* Edit2; // Close
    QLineEdit* Edit3; // About
    QLineEdit* Edit4; // Help
    QLineEdit* Edit5; // Find
    QLineEdit* Edit6; // Print
    QLineEdit* Edit7; // the AVI and MIDI instruction

protected:
    void done(int result) override;
    void fill() override;
    void store() override;

private:
    WorkingState& m_state;
};

class TChangeTextForm : public TCaptionsForm
{
    Q_OBJECT

public:
    // Changes the presentation's captions only on "&OK".
    explicit TChangeTextForm(PresentationRecord& presentation, QWidget* parent = nullptr);

    QLineEdit* Edit2; // Close
    QLineEdit* Edit3; // About
    QLineEdit* Edit4; // Help

protected:
    void done(int result) override;
    void fill() override;
    void store() override;

private:
    PresentationRecord& m_presentation;
};
