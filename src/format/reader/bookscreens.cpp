#include "format/reader/bookscreens.h"

namespace bookformat {

std::vector<BookStep> BookSteps(const BookShape& book)
{
    const bool aboutAtStart = book.aboutShown && (book.aboutWhen == 0 || book.aboutWhen == 2);
    const bool aboutAtEnd = book.aboutShown && (book.aboutWhen == 1 || book.aboutWhen == 2);
    std::vector<BookStep> steps;
    if (book.openingShown)
        steps.push_back(BookStep::OpeningCommand);
    if (aboutAtStart)
        steps.push_back(BookStep::AboutBox);
    if (book.introShown)
        steps.push_back(BookStep::Introduction);
    steps.push_back(book.chapterCount == 1 ? BookStep::OnlyChapter : BookStep::TableOfContents);
    if (aboutAtEnd)
        steps.push_back(BookStep::AboutBox);
    if (book.closingShown)
        steps.push_back(BookStep::ClosingCommand);
    return steps;
}

} // namespace bookformat
