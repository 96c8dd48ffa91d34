// The compiled book: the project record, the compiled HyperText entries, every display record and
// every chapter's text, with index tables, as one block that the executable e-book carries after
// the reader runtime.
//
//   0      ProjectRecord (5377)       5377  BookHeader: HyperOffset, DisplaySection, ChapterSection
//   5389   HyperText block (compiled section file), up to DisplaySection; absent when HyperOffset 0
//   DisplaySection: TableHeader (Count, IndexOffset), 340-byte display records, DisplayEntry index
//   ChapterSection: TableHeader, the chapters' text bytes, ChapterEntry index (ends the block)
#pragma once

#include "format/book/sectionindex.h"
#include "format/formaterror.h"
#include "format/records/recordlayout.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace bookformat {

#pragma pack(push, 1)
struct BookHeader
{
    std::int32_t HyperOffset;
    std::int32_t DisplaySection;
    std::int32_t ChapterSection;
};
struct TableHeader
{
    std::int32_t Count;
    std::int32_t IndexOffset;
};
template <template <std::size_t> class Text> struct DisplayEntryOf
{
    Text<25> Name;
    std::int32_t Offset;
};
template <template <std::size_t> class Text> struct ChapterEntryOf
{
    Text<60> MenuEntry;
    Text<25> DisplayFile;
    std::int32_t Offset;
    std::int32_t Size;
};
#pragma pack(pop)
using DisplayEntry = DisplayEntryOf<PString>;
using ChapterEntry = ChapterEntryOf<PString>;
static_assert(sizeof(BookHeader) == 12);
static_assert(sizeof(TableHeader) == 8);
static_assert(sizeof(DisplayEntry) == 30);
static_assert(offsetof(DisplayEntry, Offset) == 26);
static_assert(sizeof(ChapterEntry) == 95);
static_assert(offsetof(ChapterEntry, DisplayFile) == 61);
static_assert(offsetof(ChapterEntry, Offset) == 87);
static_assert(offsetof(ChapterEntry, Size) == 91);

inline constexpr std::int64_t kBookHeaderPosition = sizeof(ProjectRecord);

// "The e-book is damaged: <detail>."
class CompiledBookError : public FormatError
{
public:
    explicit CompiledBookError(const std::string& detail)
        : FormatError("The e-book is damaged: " + detail + ".")
    {}
};

// A compiled book read in place (the bytes must outlive it), checked when opened: every table and
// offset lies inside the block and the tables agree with the layout the builder writes. Raises
// CompiledBookError, or CompiledBlockError for a damaged HyperText block.
class CompiledBook
{
public:
    explicit CompiledBook(std::string_view block);
    CompiledBook(std::string&&) = delete; // read in place: a temporary would be gone at once
    // The bytes of a mapped file or of a runtime's own image, as they come.
    explicit CompiledBook(std::span<const std::byte> block)
        : CompiledBook(std::string_view(reinterpret_cast<const char*>(block.data()), block.size()))
    {}

    const ProjectRecord& project() const { return m_project; }
    const std::vector<ChapterEntry>& chapters() const { return m_chapters; }
    const std::vector<DisplayEntry>& displays() const { return m_displays; }
    // The display record whose stored name is `name` exactly (UTF-8); CompiledBookError when none.
    DisplayRecord display(std::string_view name) const;
    std::string_view chapterText(std::size_t index) const;
    // The HyperText block's bytes; empty when the book has none.
    std::string_view hyperTextBlock() const { return m_hyperBlock; }
    const CompiledSections* hyperText() const { return m_hyper ? &*m_hyper : nullptr; }
    std::size_t size() const { return m_block.size(); }

private:
    void checkTablesAgree(const BookHeader& header) const;

    std::string_view m_block;
    ProjectRecord m_project{};
    std::vector<DisplayEntry> m_displays;
    std::vector<ChapterEntry> m_chapters;
    std::string_view m_hyperBlock;
    std::optional<CompiledSections> m_hyper;
};

// The rich-text lines of the book's introduction; nothing when the book holds none.
std::optional<std::vector<std::string>> IntroText(const CompiledBook& book);
// The lines of the HyperText entry of a phrase, as the section file gives them; nothing when the
// book holds none.
std::optional<std::vector<std::string>> HyperEntry(const CompiledBook& book,
                                                   std::string_view phrase);

// What a runtime's check prints of a sound book: "2 chapters, 1 display records, 5 HyperText
// entries, 12345 bytes" (the entries of source HYPER, the introduction and the language not
// counted).
std::string BookSummary(const CompiledBook& book);

// What a runtime's check says of a sound book: the summary's line, then a line for each chapter
// the Windows reader shows flattened (FlattenedChapterNote).
std::string BookCheckReport(const CompiledBook& book);

} // namespace bookformat
