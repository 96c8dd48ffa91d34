// The shared part of the chapter windows.
#include "ui/chapters/chapterform.h"

#include "core/files/filenames.h"
#include "core/project/chapters.h"
#include "core/project/projectfiles.h"
#include "core/services/messages.h"
#include "platform/f1help.h"
#include "platform/filelists.h"
#include "platform/look.h"
#include "platform/modal.h"
#include "platform/typinglimit.h"
#include "ui/chapters/chapterhooks.h"

#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TChapterForm::TChapterForm(WorkingState& state, qsizetype index, QWidget* parent)
    : QDialog(parent), MenuLbl(new QLabel(tr("Menu Entry"), this)), ChapIDEdit(new QLineEdit(this)),
      Label1(new QLabel(this)), DisplayLbl(new QLabel(tr("Select a Chapter Display File"), this)),
      DisplayEdit(new QLineEdit(this)), FileListBox1(new FileListBox(this)),
      Button1(new QPushButton(tr("Design Display File"), this)),
      ViewBtn(new QPushButton(tr("&View"), this)), OKBtn(new QPushButton(tr("&Save"), this)),
      CancelBtn(new QPushButton(tr("&Cancel"), this)), m_state(state), m_project(state.Project),
      m_index(index)
{
    setWindowTitle(tr("Press F1 for Help"));
    SetHelpContext(this, 161);
    LimitTyping(ChapIDEdit, 60);
    DisplayEdit->setReadOnly(true);
    LimitTyping(DisplayEdit, 25);
    FileListBox1->setMask(QStringLiteral("*.QVD"));
    FileListBox1->setDirectory(QDir::currentPath());
    ChapIDEdit->installEventFilter(this);

    connect(FileListBox1, &FileListBox::fileClicked, DisplayEdit, &QLineEdit::setText);
    connect(ViewBtn, &QPushButton::clicked, this, &TChapterForm::ViewBtnClick);
    connect(Button1, &QPushButton::clicked, this, &TChapterForm::Button1Click);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TChapterForm::buildLayout(QWidget* chapterFilePart)
{
    auto* grid = new QGridLayout;
    grid->addWidget(MenuLbl, 0, 0);
    grid->addWidget(ChapIDEdit, 1, 0, 1, 2);
    grid->addWidget(Label1, 2, 0);
    grid->addWidget(chapterFilePart, 3, 0);
    auto* display = new QVBoxLayout;
    display->addWidget(DisplayLbl);
    display->addWidget(DisplayEdit);
    display->addWidget(FileListBox1);
    display->addWidget(Button1);
    grid->addLayout(display, 2, 1, 2, 1);
    auto* buttons = ButtonRow({}, {ViewBtn, OKBtn, CancelBtn});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    resize(460, 340);
}

void TChapterForm::fillFields()
{
    const ChapterRecord& chapter = m_state.CurrentChapter;
    ChapIDEdit->setText(chapter.MenuEntry.text());
    m_ownEntry = chapter.MenuEntry.text();
    DisplayEdit->setText(chapter.DisplayFile.text());
    if (DisplayEdit->text().isEmpty())
        DisplayEdit->setText(BaseName(m_state.ProjectFile) + QStringLiteral(".QVD"));
}

bool TChapterForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ChapIDEdit && event->type() == QEvent::FocusOut)
        ChapIDEditExit();
    return QDialog::eventFilter(watched, event);
}

void TChapterForm::ChapIDEditExit()
{
    if (m_checkingEntry || ChapIDEdit->text().isEmpty())
        return;
    m_checkingEntry = true;
    ReportErrors([this] {
        if (MenuEntryInUse(m_state, ChapIDEdit->text(), m_ownEntry)) {
            ShowError(QStringLiteral("That Menu Entry is already in use."));
            ChapIDEdit->clear();
            ChapIDEdit->setFocus();
        }
    });
    m_checkingEntry = false;
}

bool TChapterForm::canSave()
{
    const auto refuse = [](const char* message, QWidget* focus) {
        ShowError(QString::fromLatin1(message));
        if (focus)
            focus->setFocus();
        return false;
    };
    if (ChapIDEdit->text().isEmpty())
        return refuse("A Menu Entry must be specified.", ChapIDEdit);
    if (HoldsDirectionControl(ChapIDEdit->text()))
        return refuse("A Menu Entry cannot hold characters that change the direction of text.",
                      ChapIDEdit);
    // Alt+S saves without the field losing its focus, so the entry is checked here too.
    ChapIDEditExit();
    if (ChapIDEdit->text().isEmpty())
        return false;
    if (chapterFileControl() && chapterFile().isEmpty())
        return refuse("A Chapter Text file must be selected.", chapterFileControl());
    if (DisplayEdit->text().isEmpty())
        return refuse("A Display file must be selected.", FileListBox1);
    return true;
}

void TChapterForm::done(int result)
{
    if (result != QDialog::Accepted) {
        QDialog::done(result);
        return;
    }
    if (!canSave())
        return;
    ChapterRecord& chapter = m_state.CurrentChapter;
    chapter.DisplayFile.setText(DisplayEdit->text());
    storeChapterFile(chapter);
    chapter.MenuEntry.setText(ChapIDEdit->text());
    bool written = false;
    ReportErrors([&] {
        WriteChapter(m_state, m_index);
        written = true;
    });
    // A chapter list that cannot be written ends the window, as any file error ends an action.
    m_writeFailed = !written;
    // The entry is this chapter's own now: the field losing the focus as the window closes
    // must not find it in use.
    m_ownEntry = chapter.MenuEntry.text();
    QDialog::done(written ? QDialog::Accepted : QDialog::Rejected);
}

void TChapterForm::ViewBtnClick()
{
    if (chapterFile().isEmpty()) {
        ShowError(QStringLiteral("No Chapter file has been entered."));
        return;
    }
    if (DisplayEdit->text().isEmpty()) {
        ShowError(QStringLiteral("No Display file has been entered."));
        return;
    }
    ReportErrors([this] {
        ReadDisplayFile(m_state, DisplayEdit->text());
        ChapterWindowsSlot::get().showChapter(this, chapterFile(), m_state.CurrentDisplay,
                                              m_project);
    });
}

void TChapterForm::Button1Click()
{
    std::optional<QString> saved;
    {
        const HiddenWhileSubWindow hidden(this);
        saved = ChapterWindowsSlot::get().designDisplay(this, m_project, chapterFile());
    }
    FileListBox1->refresh();
    // The display file just made (or changed) is the one the chapter is meant to have.
    if (saved)
        DisplayEdit->setText(*saved);
}
