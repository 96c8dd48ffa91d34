// The main window's button actions (module bmmain): the frame every action runs in, the enabling
// rules, the start-up step and the Help group.
#include "core/files/filenames.h"
#include "core/files/filestore.h"
#include "core/files/projectpath.h"
#include "core/project/projectfiles.h"
#include "core/sections/booklanguage.h"
#include "core/services/messages.h"
#include "platform/help.h"
#include "platform/modal.h"
#include "preview/bookplayer.h"
#include "ui/authoring/bookfindform.h"
#include "ui/authoring/chapeditform.h"
#include "ui/authoring/hypermenuform.h"
#include "ui/authoring/tutorialform.h"
#include "ui/chapters/chapterflows.h"
#include "ui/design/custmenuform.h"
#include "ui/design/progconfigform.h"
#include "ui/mainwindow/bookmainform.h"
#include "ui/mainwindow/programaboutform.h"
#include "ui/publish/distribform.h"
#include "ui/publish/readersystemform.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>

namespace {

bool canTakeFocus(const QWidget* widget)
{
    return widget->isEnabled() && widget->isVisibleTo(widget->window());
}

} // namespace

void Tbookmainform::wireActions()
{
    onClick(
        SelectBtn, [this] { ChooseProject(); }, true, FocusAfter::AddElseSelect);
    onClick(
        StartBtn, [this] { CreateProject(); }, true, FocusAfter::AddElseSelect);
    onClick(
        AboutBtn, [this] { ShowProgramAbout(); }, false, FocusAfter::Self);
    onClick(
        TutBtn, [this] { ::ShowTutorial(m_state.ProgramDir, this); }, false, FocusAfter::Self);
    onClick(
        EditBtn, [this] { OpenChapterEditor(this, BookLanguage(m_state.HyperTextFile)); }, true,
        FocusAfter::Self);
    onClick(
        AddBtn, [this] { AddChapters(m_state, this); }, true, FocusAfter::Self);
    onClick(
        ViewBtn, [this] { ListChapters(m_state, this); }, true, FocusAfter::Self);
    onClick(
        DeleteBtn, [this] { RemoveChapter(m_state, this); }, true, FocusAfter::DeleteElseAdd);
    onClick(
        ReorgBtn, [this] { ReorderChapters(m_state, this); }, false, FocusAfter::Self);
    onClick(
        PreviewBtn, [this] { PreviewBook(); }, false, FocusAfter::Self);
    onClick(
        HypTextBtn, [this] { OpenHyperTextUtilities(m_state, this); }, false, FocusAfter::Self);
    onClick(
        FindBtn, [this] { OpenBookFind(m_state, this); }, false, FocusAfter::Self);
    onClick(
        CustChapBtn, [this] { CustomizeBook(m_state, this); }, false, FocusAfter::Self);
    onClick(
        CustBookBtn, [this] { ConfigureProgramPresentation(); }, false, FocusAfter::Self);
    onClick(
        ExecBtn,
        [this] {
            waitpnl->show();
            waitpnl->repaint();
            const auto hideWait = qScopeGuard([this] { waitpnl->hide(); });
            CreateExecutable(m_state, this);
        },
        false, FocusAfter::Unchanged);
    onClick(
        DistribBtn,
        [this] {
            waitpnl->show();
            waitpnl->repaint();
            const auto hideWait = qScopeGuard([this] { waitpnl->hide(); });
            PrepareDistribution(m_state, this);
        },
        false, FocusAfter::Unchanged);
    // Help opens beside the menu panel, which stays.
    connect(HelpBtn, &QPushButton::clicked, this, [] { ShowHelp(1); });
    connect(QuitBtn, &QPushButton::clicked, this, &QWidget::close);
}

void Tbookmainform::onClick(QPushButton* button, std::function<void()> action, bool refresh,
                            FocusAfter focus)
{
    connect(button, &QPushButton::clicked, this,
            [this, button, action = std::move(action), refresh, focus] {
                runAction(button, action, refresh, focus);
            });
}

void Tbookmainform::runAction(QPushButton* button, const std::function<void()>& action,
                              bool refresh, FocusAfter focus)
{
    MenuPnl->hide();
    try {
        action();
    } catch (const RunTimeError& error) {
        ShowError(error.message());
    }
    if (refresh)
        UpdateButtons();
    MenuPnl->show();
    focusAfter(button, focus);
}

void Tbookmainform::focusAfter(QPushButton* button, FocusAfter rule)
{
    switch (rule) {
    case FocusAfter::Self:
        button->setFocus();
        break;
    case FocusAfter::AddElseSelect:
        (canTakeFocus(AddBtn) ? AddBtn : SelectBtn)->setFocus();
        break;
    case FocusAfter::DeleteElseAdd:
        (canTakeFocus(DeleteBtn) ? DeleteBtn : AddBtn)->setFocus();
        break;
    case FocusAfter::Unchanged:
        break;
    }
}

void Tbookmainform::UpdateButtons()
{
    const bool open = m_state.isProjectOpen();
    ProjectLbl->setText(open ? BaseName(m_state.ProjectFile) : tr("None Selected"));
    for (QPushButton* button : {EditBtn, CustChapBtn, CustBookBtn})
        button->setEnabled(open);

    const bool chapterFiles =
        open &&
        !EntriesMatching(m_state.ProjectDir, QStringLiteral("*.QLF"), QDir::Files).isEmpty();
    AddBtn->setEnabled(chapterFiles);

    const bool chapters = open && ChapterListExists(m_state);
    for (QPushButton* button :
         {ViewBtn, DeleteBtn, ReorgBtn, PreviewBtn, DistribBtn, ExecBtn, HypTextBtn, FindBtn})
        button->setEnabled(chapters);
}

void Tbookmainform::Timer1Timer()
{
    Timer1->stop();
    if (m_lowColour)
        LowColourWarning();
    MenuPnl->show();
    HelpBtn->setFocus();
}

void Tbookmainform::PreviewBook()
{
    m_state.BookTitle = m_state.Project.Config.BookTitle.text();
    ProjectBookSource source(m_state);
    const PreviewContext context{source, m_state.HelpFilePath};
    PlayBook(context, this);
}

void Tbookmainform::ConfigureProgramPresentation()
{
    // The window works on copies: a change the project file refused is not kept either.
    PresentationRecord presentation = m_state.Project.Presentation;
    ConfigRecord config = m_state.Project.Config;
    if (!ConfigureProgram(presentation, config, m_state.HyperTextFile, this))
        return;
    if (SaveProjectChange(m_state, [&](ProjectRecord& project) {
            project.Presentation = presentation;
            project.Config = config;
        }))
        m_state.BookTitle = m_state.Project.Config.BookTitle.text();
}

void Tbookmainform::ShowProgramAbout()
{
    TProgramAboutForm about(this);
    RunModal(about);
}
