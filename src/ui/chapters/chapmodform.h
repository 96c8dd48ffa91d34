// TChapModForm (module Chpmodf): changes a chapter's menu entry and display file; its text file
// stays.
#pragma once

#include "ui/chapters/chapterform.h"

class TChapModForm : public TChapterForm
{
    Q_OBJECT

public:
    TChapModForm(WorkingState& state, qsizetype index, QWidget* parent = nullptr);

    QLineEdit* Edit1;

protected:
    QString chapterFile() const override;
};
