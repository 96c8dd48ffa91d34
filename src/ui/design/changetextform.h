// TChangeTextForm (module PIntTxtf): the three captions the introduction screen shows.
#pragma once

#include "ui/design/captionsform.h"

class QLineEdit;

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
