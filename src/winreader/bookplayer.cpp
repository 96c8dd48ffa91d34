#include "winreader/bookplayer.h"

#include "format/reader/bookscreens.h"
#include "winreader/aboutbox.h"
#include "winreader/backgroundwindow.h"
#include "winreader/bookscreens.h"
#include "winreader/linkactions.h"

namespace winreader {

namespace {

void playStep(bookformat::BookStep step, const bookformat::CompiledBook& book, HWND background)
{
    const bookformat::PresentationRecord& presentation = book.project().Presentation;
    switch (step) {
    case bookformat::BookStep::OpeningCommand:
        RunBookCommand(book, presentation.Opening, "The opening command", background);
        break;
    case bookformat::BookStep::AboutBox:
        ShowAboutBox(presentation.About, background);
        break;
    case bookformat::BookStep::Introduction:
        ShowIntroduction(book, background);
        break;
    case bookformat::BookStep::OnlyChapter:
        ShowChapter(book, 0, background);
        break;
    case bookformat::BookStep::TableOfContents:
        ShowTableOfContents(book, background);
        break;
    case bookformat::BookStep::ClosingCommand:
        RunBookCommand(book, presentation.Closing, "The closing command", background);
        break;
    }
}

} // namespace

void PlayBook(const bookformat::CompiledBook& book)
{
    // Every screen opens over the program background, which stays behind them all.
    const BackgroundWindow background(book.project().Config);
    for (const bookformat::BookStep step :
         bookformat::BookSteps(book.project().Presentation, book.chapters().size()))
        playStep(step, book, background.handle());
}

} // namespace winreader
