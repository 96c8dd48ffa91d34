#include "format/book/booklayout.h"

#include "format/records/blockreader.h"
#include "format/rtf/rtfnesting.h"
#include "format/sections/introsection.h"
#include "format/text/casefolding.h"

#include <algorithm>

namespace bookformat {

namespace {

template <class T> T take(std::string_view block, std::int64_t at, const std::string& what)
{
    const std::optional<T> value = BinaryReader(block).at<T>(at);
    if (!value)
        throw CompiledBookError("the " + what + " lies outside the book");
    return *value;
}

template <class Entry>
std::vector<Entry> table(std::string_view block, std::int64_t section, const std::string& what)
{
    const TableHeader header = take<TableHeader>(block, section, what);
    std::optional<std::vector<Entry>> entries =
        BinaryReader(block).array<Entry>(header.IndexOffset, header.Count);
    if (!entries)
        throw CompiledBookError("the " + what + " index lies outside the book");
    return *std::move(entries);
}

[[noreturn]] void disagree(const std::string& what)
{
    throw CompiledBookError(what);
}

std::string number(std::size_t i)
{
    return std::to_string(i + 1);
}

} // namespace

CompiledBook::CompiledBook(std::string_view block) : m_block(block)
{
    m_project = take<ProjectRecord>(m_block, 0, "project record");
    const BookHeader header = take<BookHeader>(m_block, kBookHeaderPosition, "book header");
    m_displays = table<DisplayEntry>(m_block, header.DisplaySection, "display table");
    m_chapters = table<ChapterEntry>(m_block, header.ChapterSection, "chapter table");
    for (const DisplayEntry& entry : m_displays)
        take<DisplayRecord>(m_block, entry.Offset, "display record");
    const auto size = static_cast<std::int64_t>(m_block.size());
    for (const ChapterEntry& entry : m_chapters) {
        if (entry.Offset < 0 || entry.Size < 0 || std::int64_t(entry.Offset) + entry.Size > size)
            throw CompiledBookError("a chapter's text lies outside the book");
    }
    if (header.HyperOffset != 0) {
        if (header.HyperOffset < kBookHeaderPosition || header.HyperOffset > header.DisplaySection)
            throw CompiledBookError("the HyperText entries lie outside the book");
        // Its index is read only when a link is first looked up: opening a book costs the same
        // with ten entries or a hundred thousand.
        m_hyperBlock =
            m_block.substr(static_cast<std::size_t>(header.HyperOffset),
                           static_cast<std::size_t>(header.DisplaySection - header.HyperOffset));
        m_hyper.emplace(m_hyperBlock, IndexCheck::OnFirstUse);
    }
    checkTablesAgree(header);
}

// The tables must agree with each other and with the layout the builder writes: displays one
// after another, then their index; chapters' texts one after another, then their index, which
// ends the book; every chapter's display in the display table.
void CompiledBook::checkTablesAgree(const BookHeader& header) const
{
    const std::int64_t afterHeader = kBookHeaderPosition + std::int64_t(sizeof(BookHeader));
    if (header.HyperOffset != 0 ? header.HyperOffset != afterHeader
                                : header.DisplaySection != afterHeader)
        disagree("its HyperText entries are not where the book header says");
    if (m_displays.empty() || m_chapters.empty())
        disagree("it has no chapters or no display records");
    const TableHeader displayTable =
        take<TableHeader>(m_block, header.DisplaySection, "display table");
    const std::int64_t firstDisplay = header.DisplaySection + std::int64_t(sizeof(TableHeader));
    const auto displays = static_cast<std::int64_t>(m_displays.size());
    for (std::size_t i = 0; i < m_displays.size(); ++i) {
        if (m_displays[i].Offset !=
            firstDisplay + std::int64_t(i) * std::int64_t(sizeof(DisplayRecord)))
            disagree("display record " + number(i) + " is not where the display table says");
    }
    if (displayTable.IndexOffset != firstDisplay + displays * std::int64_t(sizeof(DisplayRecord)) ||
        displayTable.IndexOffset + displays * std::int64_t(sizeof(DisplayEntry)) !=
            header.ChapterSection)
        disagree("the display table does not agree with its index");
    const TableHeader chapterTable =
        take<TableHeader>(m_block, header.ChapterSection, "chapter table");
    std::int64_t next = header.ChapterSection + std::int64_t(sizeof(TableHeader));
    for (std::size_t i = 0; i < m_chapters.size(); ++i) {
        const ChapterEntry& chapter = m_chapters[i];
        if (chapter.Offset != next)
            disagree("chapter " + number(i) + " is not where the chapter table says");
        next += chapter.Size;
        const bool known =
            std::any_of(m_displays.begin(), m_displays.end(), [&](const DisplayEntry& d) {
                return d.Name.utf8() == chapter.DisplayFile.utf8();
            });
        if (!known)
            disagree("chapter " + number(i) + " names a display that is not in the book");
    }
    if (chapterTable.IndexOffset != next ||
        next + std::int64_t(m_chapters.size()) * std::int64_t(sizeof(ChapterEntry)) !=
            static_cast<std::int64_t>(m_block.size()))
        disagree("the chapter table does not agree with its index");
}

DisplayRecord CompiledBook::display(std::string_view name) const
{
    for (const DisplayEntry& entry : m_displays) {
        if (entry.Name.utf8() == name)
            return take<DisplayRecord>(m_block, entry.Offset, "display record");
    }
    throw CompiledBookError("the display " + std::string(name) + " is not in the book");
}

std::string_view CompiledBook::chapterText(std::size_t index) const
{
    const ChapterEntry& entry = m_chapters.at(index);
    return m_block.substr(static_cast<std::size_t>(entry.Offset),
                          static_cast<std::size_t>(entry.Size));
}

std::string BookSummary(const CompiledBook& book)
{
    const CompiledSections* sections = book.hyperText();
    int entries = 0;
    for (int i = 0; sections && i < sections->count(); ++i)
        entries += AsciiUpper(sections->source(i)) == "HYPER";
    return std::to_string(book.chapters().size()) + " chapters, " +
           std::to_string(book.displays().size()) + " display records, " + std::to_string(entries) +
           " HyperText entries, " + std::to_string(book.size()) + " bytes";
}

std::string BookCheckReport(const CompiledBook& book)
{
    std::string report = BookSummary(book) + "\n";
    for (std::size_t i = 0; i < book.chapters().size(); ++i) {
        const int depth = RtfNestingDepth(book.chapterText(i));
        if (depth > kMaxRtfNesting)
            report += FlattenedChapterNote(book.chapters()[i].MenuEntry.utf8(), depth) + "\n";
    }
    return report;
}

std::optional<std::vector<std::string>> IntroText(const CompiledBook& book)
{
    const CompiledSections* sections = book.hyperText();
    std::optional<std::vector<std::string>> entry =
        sections ? sections->readEntry(kIntroName, kIntroSource) : std::nullopt;
    if (!entry)
        return std::nullopt;
    // Name, source and "text=" come first; the terminator ends it.
    const std::size_t count = entry->size() >= 4 ? entry->size() - 4 : 0;
    return std::vector<std::string>(entry->begin() + std::min<std::size_t>(3, entry->size()),
                                    entry->begin() + std::min<std::size_t>(3, entry->size()) +
                                        std::ptrdiff_t(count));
}

std::optional<std::vector<std::string>> HyperEntry(const CompiledBook& book,
                                                   std::string_view phrase)
{
    const CompiledSections* sections = book.hyperText();
    return sections ? sections->readEntry(phrase, "HYPER") : std::nullopt;
}

} // namespace bookformat
