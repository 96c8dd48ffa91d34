// TBookTextForm (module btextf): the book's menu captions and the media players' instruction.
#pragma once

#include "ui/design/captionsform.h"

class QLineEdit;

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
