// TConfigBook (module bcustcnf): whether the chapter screens show a title bar and a status bar, and
// their texts.
#pragma once

#include "core/project/workingstate.h"
#include "ui/design/toctitleform.h"

#include <QDialog>

class QCheckBox;
class QPushButton;

class TConfigBook : public QDialog
{
    Q_OBJECT

public:
    // Works on a copy of the project's chapter bars; "&Save" stores it and writes the project.
    explicit TConfigBook(WorkingState& state, QWidget* parent = nullptr);

    QCheckBox* CheckBox1; // " Use Title Bar"
    QPushButton* titleBtn;
    QCheckBox* CheckBox2; // " Use Status Bar"
    QPushButton* statusbtn;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

protected:
    void done(int result) override;

private:
    void designBar(Bar bar, int helpContext);

    WorkingState& m_state;
    BarsRecord m_bars;
};
