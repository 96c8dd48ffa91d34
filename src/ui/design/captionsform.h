// TCaptionsForm: what the two caption windows share: the " Menu Buttons " group of the reader's
// menu words (an ampersand marks the hot key), "&Defaults", "&OK", "&Cancel".
#pragma once

#include "core/project/workingstate.h"

#include <QDialog>

class QGridLayout;
class QLineEdit;
class QPushButton;

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
