// The book player.
#include "preview/bookplayer.h"

#include "platform/help.h"
#include "preview/abtdispf.h"
#include "preview/bmnudspf.h"
#include "preview/chpdispf.h"
#include "preview/entrydispatch.h"
#include "preview/mediaactions.h"
#include "preview/pintdspf.h"
#include "preview/prgbackf.h"

void RunBookCommand(const CommandRecord& command, const QString& caption, QWidget* parent,
                    const QString& owner)
{
    const HyperTextType type = ToHyperTextType(command.CommandType);
    if (IsCommandType(type))
        RunLinkCommand(type, caption, command.Command.text(), parent, owner);
}

void PlayBook(const PreviewContext& context, QWidget* parent)
{
    const ProjectRecord& project = context.source.project();
    const PresentationRecord& presentation = project.Presentation;
    // A window of the tool's own (in the preview) so that window managers keep it above the
    // tool's main window, as the reader sees it above the desktop.
    TTutBackForm background(project.Config, parent);
    background.show();

    const QStringList entries = context.source.menuEntries();
    const QString title = project.Config.BookTitle.text();
    if (project.Config.UseHelpFile)
        SetHelpFile(context.toolHelpFile);
    if (presentation.OpeningShown)
        RunBookCommand(presentation.Opening, title, parent, QStringLiteral("The opening command"));
    const bool aboutAtStart =
        presentation.About.AboutWhen == 0 || presentation.About.AboutWhen == 2;
    const bool aboutAtEnd = presentation.About.AboutWhen == 1 || presentation.About.AboutWhen == 2;
    if (presentation.AboutShown && aboutAtStart)
        ShowAboutBox(presentation.About, parent);
    if (presentation.IntroShown) {
        QStringList introduction;
        context.source.introduction(introduction);
        ShowIntroduction(context, introduction, parent);
    }
    if (entries.size() == 1) {
        const ChapterRecord chapter = context.source.chapter(0);
        const DisplayRecord display = context.source.display(chapter.DisplayFile.text());
        ShowChapter(context, display, context.source.chapterText(chapter.ChapterFile.text()),
                    parent);
    } else {
        ShowTableOfContents(context, entries, parent);
    }
    if (presentation.AboutShown && aboutAtEnd)
        ShowAboutBox(presentation.About, parent);
    if (presentation.ClosingShown)
        RunBookCommand(presentation.Closing, title, parent, QStringLiteral("The closing command"));
}
