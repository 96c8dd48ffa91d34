// TChapAddForm (module Chpaddf): links a chapter text file and a display file into the book under a
// menu entry.
#pragma once

#include "ui/chapters/chapterform.h"

class TChapAddForm : public TChapterForm
{
    Q_OBJECT

public:
    TChapAddForm(WorkingState& state, qsizetype index, QWidget* parent = nullptr);

    QLineEdit* TextFileEdit;
    FileListBox* FileListBox2;

protected:
    QString chapterFile() const override;
    QWidget* chapterFileControl() override;
    void storeChapterFile(ChapterRecord& chapter) const override;
};
