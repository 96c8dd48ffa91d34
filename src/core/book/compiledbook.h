// The compiled book: the project record, the compiled HyperText entries, every display record and
// every chapter's text, with index tables, as one block that the executable e-book carries after
// the reader runtime.
//
//   0      ProjectRecord (5377)       5377  BookHeader: HyperOffset, DisplaySection, ChapterSection
//   5389   HyperText block (compiled section file), up to DisplaySection; absent when HyperOffset 0
//   DisplaySection: TableHeader (Count, IndexOffset), 340-byte display records, DisplayEntry index
//   ChapterSection: TableHeader, the chapters' text bytes, ChapterEntry index (ends the block)
#pragma once

#include "core/project/records.h"
#include "core/project/workingstate.h"
#include "core/sections/compiledsections.h"

#include <QByteArray>
#include <QIODevice>
#include <QList>

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
struct DisplayEntry
{
    PString<25> Name;
    std::int32_t Offset;
};
struct ChapterEntry
{
    PString<60> MenuEntry;
    PString<25> DisplayFile;
    std::int32_t Offset;
    std::int32_t Size;
};
#pragma pack(pop)
static_assert(sizeof(BookHeader) == 12);
static_assert(sizeof(TableHeader) == 8);
static_assert(sizeof(DisplayEntry) == 30);
static_assert(offsetof(DisplayEntry, Offset) == 26);
static_assert(sizeof(ChapterEntry) == 95);
static_assert(offsetof(ChapterEntry, DisplayFile) == 61);
static_assert(offsetof(ChapterEntry, Offset) == 87);
static_assert(offsetof(ChapterEntry, Size) == 91);

inline constexpr qsizetype kBookHeaderPosition = sizeof(ProjectRecord);

// Writes the compiled book to the device from its current position, with offsets counted from
// there. False (after the messages) when the book cannot be compiled.
bool WriteCompiledBook(WorkingState& state, QIODevice& out);

// The compiled bytes, or nothing when validation fails (with the messages shown).
std::optional<QByteArray> CompiledBookBytes(WorkingState& state);

class CompiledBookError : public RunTimeError
{
public:
    explicit CompiledBookError(const QString& detail)
        : RunTimeError(QStringLiteral("The e-book is damaged: %1.").arg(detail))
    {}
};

// A compiled book read back, checked when opened: every table and offset lies inside the block.
class CompiledBook
{
public:
    // Raises CompiledBookError (or CompiledBlockError for the HyperText block).
    static CompiledBook fromBytes(QByteArray block);

    const ProjectRecord& project() const { return m_project; }
    const QList<ChapterEntry>& chapters() const { return m_chapters; }
    const QList<DisplayEntry>& displays() const { return m_displays; }
    // The display record whose name equals `name` exactly; raises CompiledBookError when none.
    DisplayRecord display(const QString& name) const;
    QByteArray chapterText(int index) const;
    const CompiledSections* hyperText() const { return m_hyper ? &*m_hyper : nullptr; }
    qsizetype size() const { return m_block.size(); }

private:
    QByteArray m_block;
    ProjectRecord m_project{};
    QList<DisplayEntry> m_displays;
    QList<ChapterEntry> m_chapters;
    std::optional<CompiledSections> m_hyper;
};
