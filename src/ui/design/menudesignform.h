// TMenuDesignForm (module BMengetf): the table of contents' bars, author box and background, with a
// test view.
#pragma once

#include "core/project/workingstate.h"

#include <QDialog>

class QCheckBox;
class QPushButton;

class TMenuDesignForm : public QDialog
{
    Q_OBJECT

public:
    // Works on copies of the open project's records; "&Save" stores the table of contents and
    // writes the project file.
    explicit TMenuDesignForm(WorkingState& state, QWidget* parent = nullptr);

    QCheckBox* TitleChkBx;
    QPushButton* TitleBtn;
    QCheckBox* StatusChkBx;
    QPushButton* StatusBtn;
    QCheckBox* AuthorChkBx;
    QPushButton* AuthorBtn;
    QPushButton* DesignBtn;
    QPushButton* ViewBitBtn;
    QPushButton* OKBitBtn;
    QPushButton* CancelBitBtn;

protected:
    void done(int result) override;

private:
    void connectControls();
    void openHidden(const std::function<void()>& window);

    WorkingState& m_state;
    MenuRecord m_menu;
    ConfigRecord m_config;
    PresentationRecord m_presentation;
};
