// The order in which a reader meets a book's screens, from opening it to closing it. Every
// screen opens over the program background, which stays behind them all.
#pragma once

#include "format/records/recordlayout.h"

#include <cstddef>
#include <vector>

namespace bookformat {

enum class BookStep
{
    OpeningCommand,  // the presentation's opening command, as a link's value runs
    AboutBox,        // before the introduction, after the last chapter, or both
    Introduction,    // the introduction screen
    OnlyChapter,     // a book of one chapter opens it without a table of contents
    TableOfContents, // the chapter menu, from which the reader opens chapters until closing it
    ClosingCommand,
};

// What the presentation asks for, whatever the record's text type.
struct BookShape
{
    bool openingShown = false;
    bool aboutShown = false;
    int aboutWhen = 0; // 0 at start, 1 at end, 2 both, 3 neither
    bool introShown = false;
    bool closingShown = false;
    std::size_t chapterCount = 0;
};

std::vector<BookStep> BookSteps(const BookShape& book);

template <template <std::size_t> class Text>
std::vector<BookStep> BookSteps(const PresentationRecordOf<Text>& presentation,
                                std::size_t chapterCount)
{
    return BookSteps(BookShape{presentation.OpeningShown != 0, presentation.AboutShown != 0,
                               presentation.About.AboutWhen, presentation.IntroShown != 0,
                               presentation.ClosingShown != 0, chapterCount});
}

} // namespace bookformat
