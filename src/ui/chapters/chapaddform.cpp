// The add-chapter window (module Chpaddf).
#include "ui/chapters/chapaddform.h"

#include "platform/filelists.h"
#include "platform/typinglimit.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TChapAddForm::TChapAddForm(WorkingState& state, qsizetype index, QWidget* parent)
    : TChapterForm(state, index, parent), TextFileEdit(new QLineEdit(this)),
      FileListBox2(new FileListBox(this))
{
    setObjectName(QStringLiteral("TChapAddForm"));
    Label1->setText(tr("Select a Chapter File"));
    TextFileEdit->setReadOnly(true);
    LimitTyping(TextFileEdit, 60);
    FileListBox2->setMask(QStringLiteral("*.QLF"));
    FileListBox2->setDirectory(QDir::currentPath());
    connect(FileListBox2, &FileListBox::fileClicked, TextFileEdit, &QLineEdit::setText);

    auto* part = new QWidget(this);
    auto* layout = new QVBoxLayout(part);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(TextFileEdit);
    layout->addWidget(FileListBox2);
    buildLayout(part);
    fillFields();
    TextFileEdit->setText(state.CurrentChapter.ChapterFile.text());
}

QString TChapAddForm::chapterFile() const
{
    return TextFileEdit->text();
}

QWidget* TChapAddForm::chapterFileControl()
{
    return FileListBox2;
}

void TChapAddForm::storeChapterFile(ChapterRecord& chapter) const
{
    chapter.ChapterFile.setText(TextFileEdit->text());
}
