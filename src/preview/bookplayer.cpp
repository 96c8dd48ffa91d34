// The book player.
#include "preview/bookplayer.h"

#include "format/reader/bookscreens.h"
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

namespace {

// One screen of the book, opened over the program background.
void playStep(bookformat::BookStep step, const PreviewContext& context, const QStringList& entries,
              TTutBackForm& background)
{
    const ProjectRecord& project = context.source.project();
    const PresentationRecord& presentation = project.Presentation;
    const QString title = project.Config.BookTitle.text();
    switch (step) {
    case bookformat::BookStep::OpeningCommand:
        RunBookCommand(presentation.Opening, title, &background,
                       QStringLiteral("The opening command"));
        break;
    case bookformat::BookStep::AboutBox:
        ShowAboutBox(presentation.About, &background);
        break;
    case bookformat::BookStep::Introduction: {
        QStringList introduction;
        context.source.introduction(introduction);
        ShowIntroduction(context, introduction, &background);
        break;
    }
    case bookformat::BookStep::OnlyChapter: {
        const ChapterRecord chapter = context.source.chapter(0);
        const DisplayRecord display = context.source.display(chapter.DisplayFile.text());
        ShowChapter(context, display, context.source.chapterText(chapter.ChapterFile.text()),
                    &background);
        break;
    }
    case bookformat::BookStep::TableOfContents:
        ShowTableOfContents(context, entries, &background);
        break;
    case bookformat::BookStep::ClosingCommand:
        RunBookCommand(presentation.Closing, title, &background,
                       QStringLiteral("The closing command"));
        break;
    }
}

} // namespace

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
    if (project.Config.UseHelpFile)
        SetHelpFile(context.toolHelpFile);
    for (const bookformat::BookStep step :
         bookformat::BookSteps(presentation, static_cast<std::size_t>(entries.size())))
        playStep(step, context, entries, background);
}
