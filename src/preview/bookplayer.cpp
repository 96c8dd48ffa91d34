// The book player.
#include "preview/bookplayer.h"

#include "platform/help.h"
#include "preview/aboutbox.h"
#include "preview/bookmenuform.h"
#include "preview/chapdispform.h"
#include "preview/entrydispatch.h"
#include "preview/intdispform.h"
#include "preview/mediaactions.h"
#include "preview/tutbackform.h"

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

    // Every screen opens over the program background, so that it is placed alike in the tool's
    // preview and in the built book.
    const QStringList entries = context.source.menuEntries();
    const QString title = project.Config.BookTitle.text();
    if (project.Config.UseHelpFile)
        SetHelpFile(context.toolHelpFile);
    if (presentation.OpeningShown)
        RunBookCommand(presentation.Opening, title, &background,
                       QStringLiteral("The opening command"));
    const bool aboutAtStart =
        presentation.About.AboutWhen == 0 || presentation.About.AboutWhen == 2;
    const bool aboutAtEnd = presentation.About.AboutWhen == 1 || presentation.About.AboutWhen == 2;
    if (presentation.AboutShown && aboutAtStart)
        ShowAboutBox(presentation.About, &background);
    if (presentation.IntroShown) {
        QStringList introduction;
        context.source.introduction(introduction);
        ShowIntroduction(context, introduction, &background);
    }
    if (entries.size() == 1) {
        const ChapterRecord chapter = context.source.chapter(0);
        const DisplayRecord display = context.source.display(chapter.DisplayFile.text());
        ShowChapter(context, display, context.source.chapterText(chapter.ChapterFile.text()),
                    &background);
    } else {
        ShowTableOfContents(context, entries, &background);
    }
    if (presentation.AboutShown && aboutAtEnd)
        ShowAboutBox(presentation.About, &background);
    if (presentation.ClosingShown)
        RunBookCommand(presentation.Closing, title, &background,
                       QStringLiteral("The closing command"));
}
