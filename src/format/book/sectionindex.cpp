#include "format/book/sectionindex.h"

#include "format/records/blockreader.h"
#include "format/text/casefolding.h"
#include "format/text/linebreaks.h"
#include "format/text/textencoding.h"
#include "format/text/utf8.h"

#include <algorithm>
#include <cstring>

namespace bookformat {

namespace {

constexpr std::int64_t kHeaderSize = sizeof(CompiledHeader);
constexpr std::size_t kHeaderCut = 60;
constexpr std::size_t kSourceCut = 10;
constexpr std::string_view kWindows1252Mark = "KR1";
constexpr std::string_view kUtf8BlockMark = "KRU";

// The first `size` bytes of a text, cut between characters when it is UTF-8.
std::string_view cut(std::string_view text, std::size_t size, bool utf8)
{
    return utf8 ? Utf8Prefix(text, size) : text.substr(0, size);
}

template <std::size_t N> PString<N> bytesString(std::string_view bytes)
{
    PString<N> s{};
    const std::size_t n = std::min(bytes.size(), N);
    if (n > 0) // an empty view may have no data at all
        std::memcpy(s.chars, bytes.data(), n);
    s.length = static_cast<std::uint8_t>(n);
    return s;
}

CompiledHeader makeHeader(std::int32_t count, std::int32_t indexOffset, bool utf8)
{
    CompiledHeader header{};
    header.Magic = bytesString<4>(utf8 ? kUtf8BlockMark : kWindows1252Mark);
    header.Count = count;
    header.IndexOffset = indexOffset;
    return header;
}

void appendBytes(std::string& out, const void* data, std::size_t size)
{
    out.append(static_cast<const char*>(data), size);
}

// Builds the output as the section file is read: bodies first, then the index.
class Compiler
{
public:
    std::string run(std::string_view file)
    {
        const std::string_view input = WithoutMark(file, m_utf8);
        const CompiledHeader emptyHeader = makeHeader(0, 0, m_utf8);
        appendBytes(m_out, &emptyHeader, sizeof emptyHeader);
        LineReader reader(input);
        while (!reader.atEnd()) {
            const std::string_view line = reader.next();
            const bool header = !line.empty() && line.front() == '[';
            if (!line.empty() && line.front() == ']')
                m_inBody = false;
            if (m_inBody && !header)
                m_body.push_back(line);
            if (header)
                startSection(line, reader.next());
        }
        finishSection();
        if (!m_records.empty())
            writeIndex();
        return m_out;
    }

private:
    void startSection(std::string_view header, std::string_view sourceLine)
    {
        const std::string_view source = sourceLine.size() > 7
                                            ? cut(sourceLine.substr(7), kSourceCut, m_utf8)
                                            : std::string_view();
        finishSection();
        m_body = {header, source};
        m_inBody = true;
        m_open = SectionIndexEntry{};
        m_open.Header = bytesString<60>(cut(header, kHeaderCut, m_utf8));
        m_open.Source = bytesString<10>(source);
        m_open.Offset = static_cast<std::int32_t>(m_out.size());
        m_sectionOpen = true;
    }

    void finishSection()
    {
        if (!m_sectionOpen)
            return;
        for (const std::string_view line : m_body)
            AppendLine(m_out, line);
        m_open.Size =
            static_cast<std::int32_t>(m_out.size() - static_cast<std::size_t>(m_open.Offset));
        m_records.push_back(m_open);
        m_sectionOpen = false;
    }

    void writeIndex()
    {
        const CompiledHeader header = makeHeader(static_cast<std::int32_t>(m_records.size()),
                                                 static_cast<std::int32_t>(m_out.size()), m_utf8);
        for (const SectionIndexEntry& record : m_records)
            appendBytes(m_out, &record, sizeof record);
        std::memcpy(m_out.data(), &header, sizeof header);
    }

    bool m_utf8 = false;
    std::string m_out;
    std::vector<std::string_view> m_body;
    std::vector<SectionIndexEntry> m_records;
    SectionIndexEntry m_open{};
    bool m_inBody = true;
    bool m_sectionOpen = false;
};

} // namespace

std::string CompileSections(std::string_view sectionFile)
{
    return Compiler().run(sectionFile);
}

CompiledSections::CompiledSections(std::string_view block, IndexCheck check) : m_data(block)
{
    const std::optional<CompiledHeader> read = BinaryReader(m_data).at<CompiledHeader>(0);
    if (!read)
        throw CompiledBlockError("the block is too short");
    const CompiledHeader& header = *read;
    m_utf8 = header.Magic.bytes() == kUtf8BlockMark;
    if (!m_utf8 && header.Magic.bytes() != kWindows1252Mark)
        throw CompiledBlockError("the block does not start with its mark");
    const std::int64_t count = header.Count;
    const std::int64_t indexOffset = header.IndexOffset;
    const auto size = static_cast<std::int64_t>(m_data.size());
    if (count == 0)
        return;
    const std::int64_t indexEnd = indexOffset + count * std::int64_t(sizeof(SectionIndexEntry));
    if (count < 0 || indexOffset < kHeaderSize || indexEnd > size)
        throw CompiledBlockError("its index lies outside the block");
    if (indexEnd != size)
        throw CompiledBlockError("its count does not agree with its index");
    m_count = static_cast<int>(count);
    m_indexOffset = indexOffset;
    if (check == IndexCheck::AtOpen) {
        for (int i = 0; i < m_count; ++i)
            entry(i);
    }
}

SectionIndexEntry CompiledSections::entry(int index) const
{
    if (index < 0 || index >= m_count)
        throw CompiledBlockError("there is no section " + std::to_string(index + 1));
    SectionIndexEntry record;
    std::memcpy(&record,
                m_data.data() + m_indexOffset + std::int64_t(index) * std::int64_t(sizeof record),
                sizeof record);
    if (record.Header.length > 60 || record.Source.length > 10 || record.Offset < kHeaderSize ||
        record.Size < 0 || std::int64_t(record.Offset) + record.Size > m_indexOffset)
        throw CompiledBlockError("section " + std::to_string(index + 1) +
                                 " lies outside the block");
    return record;
}

std::string CompiledSections::decode(std::string_view bytes) const
{
    return m_utf8 ? std::string(bytes) : Windows1252ToUtf8(bytes);
}

std::string CompiledSections::key(std::string_view header, std::string_view source) const
{
    return FoldCase(decode(header)) + '\n' + FoldCase(decode(source));
}

const std::unordered_map<std::string, int>& CompiledSections::lookup() const
{
    if (!m_lookup) {
        auto table = std::make_shared<std::unordered_map<std::string, int>>();
        table->reserve(static_cast<std::size_t>(m_count));
        for (int i = 0; i < m_count; ++i) {
            const SectionIndexEntry record = entry(i);
            (*table)[key(record.Header.bytes(), record.Source.bytes())] = i; // the last wins
        }
        m_lookup = std::move(table);
    }
    return *m_lookup;
}

int CompiledSections::find(std::string_view name, std::string_view source) const
{
    // A name that the block's encoding cannot hold is no section of it, whatever its "?" match.
    if (!m_utf8 && !(FitsWindows1252(name) && FitsWindows1252(source)))
        return -1;
    const std::string header = "[" + std::string(name) + "]";
    const std::string wantedHeader = m_utf8 ? header : Utf8ToWindows1252(header);
    const std::string wantedSource = m_utf8 ? std::string(source) : Utf8ToWindows1252(source);
    const auto found = lookup().find(
        key(cut(wantedHeader, kHeaderCut, m_utf8), cut(wantedSource, kSourceCut, m_utf8)));
    return found == lookup().end() ? -1 : found->second;
}

std::string_view CompiledSections::body(int index) const
{
    const SectionIndexEntry record = entry(index);
    return m_data.substr(static_cast<std::size_t>(record.Offset),
                         static_cast<std::size_t>(record.Size));
}

std::optional<std::vector<std::string>> CompiledSections::readEntry(std::string_view name,
                                                                    std::string_view source) const
{
    const int index = find(name, source);
    if (index < 0)
        return std::nullopt;
    std::vector<std::string> lines;
    LineReader reader(body(index));
    const std::string_view header = reader.next();
    lines.push_back(
        decode(header.size() >= 2 ? header.substr(1, header.size() - 2) : std::string_view()));
    lines.push_back("source=" + decode(reader.next()));
    while (!reader.atEnd())
        lines.push_back(decode(reader.next()));
    lines.emplace_back("]");
    return lines;
}

std::string CompiledSections::headerLine(int index) const
{
    return decode(entry(index).Header.bytes());
}

std::string CompiledSections::source(int index) const
{
    return decode(entry(index).Source.bytes());
}

} // namespace bookformat
