// The modify-chapter window (module Chpmodf).
#include "ui/chapters/chapmodform.h"

#include <QLabel>
#include <QLineEdit>

TChapModForm::TChapModForm(WorkingState& state, qsizetype index, QWidget* parent)
    : TChapterForm(state, index, parent), Edit1(new QLineEdit(this))
{
    setObjectName(QStringLiteral("TChapModForm"));
    Label1->setText(tr("Chapter File Selected :"));
    Edit1->setReadOnly(true);
    buildLayout(Edit1);
    fillFields();
    Edit1->setText(state.CurrentChapter.ChapterFile.text());
}

QString TChapModForm::chapterFile() const
{
    return Edit1->text();
}
