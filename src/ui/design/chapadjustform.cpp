// The chapter's window-adjusting window (module chpadjf).
#include "ui/design/chapadjustform.h"

#include "core/files/projectpath.h"
#include "platform/modal.h"
#include "preview/readerscreen.h"

#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>

TChapAdjustForm::TChapAdjustForm(const DisplayRecord& display, const ProjectRecord& project,
                                 const QByteArray& chapterText, QWidget* parent)
    : TTextAdjustForm("TChapAdjustForm", false, display, chapterText, parent)
{
    const CaptionsRecord& captions = project.Presentation.Captions;
    MQuit = MainMenu1->addAction(captions.CloseCaption.text(), this, &QDialog::reject);
    MFind = MainMenu1->addAction(captions.FindCaption.text());
    MPrint = MainMenu1->addMenu(captions.PrintCaption.text());
    MPrint->addAction(tr("&Print"));
    MPrint->addAction(tr("&Printer Setup"));
    MPrint->menuAction()->setVisible(display.PrintAllowed != 0);
    MAbout = MainMenu1->addAction(captions.AboutCaption.text());
    MAbout->setVisible(project.Presentation.AboutShown != 0);
    MHelp = MainMenu1->addAction(captions.HelpCaption.text());
    MHelp->setVisible(project.Config.UseHelpFile != 0);
    setUpBars(project.ChapterBars);
    // A missing picture is reported, but the mock-up keeps its own colour: no fallback here.
    ShowBackground(ScreenPnl, BackgroundOf(display), false);
}

bool AdjustChapterWindow(DisplayRecord& display, const ProjectRecord& project,
                         const QString& chapterFile, QWidget* parent)
{
    QFile file(ResolveProjectName(chapterFile));
    const QByteArray text =
        QFileInfo(file).isFile() && file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    TChapAdjustForm form(display, project, text, parent);
    if (RunModal(form) != TAdjustForm::Save)
        return false;
    display = form.placed();
    return true;
}
