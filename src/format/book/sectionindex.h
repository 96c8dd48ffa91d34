// The compiled, indexed form of a section file that goes into the executable book, and the reader
// that finds a section in it through the index without scanning the bodies.
//
// Layout (integers 32-bit little-endian, strings one length byte and their declared size):
//   0   string[4] magic               5  section count N        9  offset of the index
//   13  the section bodies           index: N records of 80 bytes
//       record: string[60] header line with brackets, body offset, body size, string[10] source
// The magic says how every text of the block is encoded, as its section file was: "KR1" for
// Windows-1252 (the block of a Windows-1252 file is byte for byte what it always was), "KRU" for
// UTF-8 (the file's byte-order mark is left out). A UTF-8 header or source is cut to its field
// between characters. Names are found without regard to case by Unicode's case folding.
#pragma once

#include "format/formaterror.h"
#include "format/records/shortstring.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace bookformat {

#pragma pack(push, 1)
struct SectionIndexEntry
{
    PString<60> Header;
    std::int32_t Offset;
    std::int32_t Size;
    PString<10> Source;
};
struct CompiledHeader
{
    PString<4> Magic;
    std::int32_t Count;
    std::int32_t IndexOffset;
};
#pragma pack(pop)
static_assert(sizeof(SectionIndexEntry) == 80);
static_assert(offsetof(SectionIndexEntry, Offset) == 61);
static_assert(offsetof(SectionIndexEntry, Size) == 65);
static_assert(offsetof(SectionIndexEntry, Source) == 69);
static_assert(sizeof(CompiledHeader) == 13);

// The compiled bytes of a section file's content.
std::string CompileSections(std::string_view sectionFile);

// "The compiled HyperText entries are damaged: <detail>."
class CompiledBlockError : public FormatError
{
public:
    explicit CompiledBlockError(const std::string& detail)
        : FormatError("The compiled HyperText entries are damaged: " + detail + ".")
    {}
};

// How much of a block is checked when it is opened.
enum class IndexCheck
{
    AtOpen,    // every index record: a damaged block is refused at once
    OnFirstUse // the header and the index's extent; a record when it is first used, and the
               // lookup table on the first lookup, so opening costs nothing per entry
};

// A compiled block, read in place (the bytes must outlive it). The magic, and every offset and
// size inside the block, are checked before they are used; a damaged block raises
// CompiledBlockError. Names, sources and lines are UTF-8.
class CompiledSections
{
public:
    explicit CompiledSections(std::string_view block, IndexCheck check = IndexCheck::AtOpen);
    // The block is read in place: a temporary would be gone before the first lookup.
    CompiledSections(std::string&&, IndexCheck = IndexCheck::AtOpen) = delete;

    int count() const { return m_count; }
    bool isUtf8() const { return m_utf8; }
    // Index of the last section (name, source), matched as the section file matches; -1 when none.
    int find(std::string_view name, std::string_view source) const;
    // The section as the section file gives it: name, "source=" line, key and text lines, "]".
    std::optional<std::vector<std::string>> readEntry(std::string_view name,
                                                      std::string_view source) const;
    std::string_view body(int index) const;
    std::string headerLine(int index) const;
    std::string source(int index) const;

private:
    SectionIndexEntry entry(int index) const; // checked
    const std::unordered_map<std::string, int>& lookup() const;
    std::string key(std::string_view header, std::string_view source) const;
    std::string decode(std::string_view bytes) const;

    std::string_view m_data;
    int m_count = 0;
    std::int64_t m_indexOffset = 0;
    bool m_utf8 = false;
    // built on the first lookup; shared by copies, which read the same bytes
    mutable std::shared_ptr<const std::unordered_map<std::string, int>> m_lookup;
};

} // namespace bookformat
