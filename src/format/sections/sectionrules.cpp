// Files are walked line by line as bytes; only the lines handed back are decoded, which keeps
// lookups close to the cost of reading the file.
#include "format/sections/sectionrules.h"

#include "format/text/casefolding.h"
#include "format/text/linebreaks.h"
#include "format/text/textencoding.h"

#include <algorithm>
#include <cstring>

namespace bookformat {

namespace {

constexpr std::string_view kTerminator = "]";

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

bool isHeader(std::string_view line)
{
    return !line.empty() && line.front() == '[';
}

// The text between the first and the last character of a header line.
std::string_view headerName(std::string_view line)
{
    return line.size() >= 2 ? line.substr(1, line.size() - 2) : std::string_view();
}

// The source of a source line: what follows "source=".
std::string_view sourceOf(std::string_view line)
{
    return line.size() > 7 ? line.substr(7) : std::string_view();
}

// The position of the next line at or after `from` that begins with "[", or npos. Skips the
// lines between with a fast byte search.
std::size_t nextHeaderLine(std::string_view bytes, std::size_t from)
{
    while (from < bytes.size()) {
        const void* hit = std::memchr(bytes.data() + from, '[', bytes.size() - from);
        if (!hit)
            return std::string_view::npos;
        const auto at = static_cast<std::size_t>(static_cast<const char*>(hit) - bytes.data());
        if (at == 0 || isLineEnd(bytes[at - 1]))
            return at;
        from = at + 1;
    }
    return std::string_view::npos;
}

// True when the line at `at` is "[" + a name equal to `upperName` (upper-cased ASCII) + any last
// character. Looks at no more than that line.
bool headerNameIs(std::string_view bytes, std::size_t at, std::string_view upperName)
{
    const std::size_t n = upperName.size();
    const std::size_t last = at + 1 + n; // the header's last character, dropped from the name
    if (n == 0 && (last == bytes.size() || isLineEnd(bytes[last])))
        return true; // a header of one character has an empty name too
    if (last >= bytes.size() || isLineEnd(bytes[last]))
        return false;
    if (last + 1 < bytes.size() && !isLineEnd(bytes[last + 1]))
        return false; // a line of another length
    // Phrases of one book often share their start, so the end tells them apart sooner.
    const char* name = bytes.data() + at + 1;
    for (std::size_t i = n; i-- > 0;) {
        if (AsciiUpper(name[i]) != upperName[i])
            return false;
    }
    return true;
}

bool sameAsciiUpper(std::string_view a, std::string_view upper)
{
    return a.size() == upper.size() &&
           std::equal(a.begin(), a.end(), upper.begin(),
                      [](char x, char y) { return AsciiUpper(x) == y; });
}

} // namespace

std::string SectionNameKey(std::string_view name)
{
    return FoldCase(name);
}

bool IsAscii(std::string_view bytes)
{
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string DecodeSectionText(std::string_view bytes, bool utf8)
{
    return utf8 ? std::string(bytes) : Windows1252ToUtf8(bytes);
}

std::string EncodeSectionLines(const std::vector<std::string>& lines, bool utf8)
{
    std::string out;
    for (const std::string& line : lines)
        AppendLine(out, utf8 ? line : Utf8ToWindows1252(line));
    return out;
}

SectionNameMatcher::SectionNameMatcher(std::string_view wanted, bool utf8)
    : m_key(SectionNameKey(wanted)), m_ascii(IsAscii(wanted)), m_utf8(utf8)
{
    if (m_ascii)
        m_asciiUpper = AsciiUpper(wanted);
}

bool SectionNameMatcher::matches(std::string_view stored) const
{
    if (m_ascii && IsAscii(stored))
        return sameAsciiUpper(stored, m_asciiUpper);
    return SectionNameKey(DecodeSectionText(stored, m_utf8)) == m_key;
}

// An ASCII name is told by the header's length and bytes alone, as most lookups are; of the
// other letters only U+017F and U+212A fold to ASCII ones, and only a UTF-8 file can hold them,
// so only such a file's headers that do not match byte for byte are read whole and folded.
bool SectionNameMatcher::namesHeaderAt(std::string_view content, std::size_t at) const
{
    if (m_ascii && headerNameIs(content, at, m_asciiUpper))
        return true;
    if (m_ascii && !m_utf8)
        return false;
    LineReader reader(content);
    reader.seek(at);
    const std::string_view line = reader.next();
    if (m_ascii && IsAscii(line))
        return false;
    return matches(headerName(line));
}

std::optional<std::vector<std::string>> FindSection(std::string_view content, bool utf8,
                                                    std::string_view name, std::string_view source)
{
    const SectionNameMatcher wantedName(name, utf8);
    const SectionNameMatcher wantedSource(source, utf8);
    std::optional<std::vector<std::string>> found;
    LineReader reader(content);
    for (std::size_t at = nextHeaderLine(content, 0); at != std::string_view::npos;
         at = nextHeaderLine(content, reader.position())) {
        reader.seek(at + 1);
        if (!wantedName.namesHeaderAt(content, at))
            continue;
        reader.seek(at);
        const std::string_view line = reader.next();
        const std::string_view sourceLine = reader.next();
        if (!wantedSource.matches(sourceOf(sourceLine)))
            continue;
        std::vector<std::string> lines{DecodeSectionText(headerName(line), utf8),
                                       DecodeSectionText(sourceLine, utf8)};
        while (!reader.atEnd()) {
            const std::string_view body = reader.next();
            lines.push_back(DecodeSectionText(body, utf8));
            if (body == kTerminator)
                break;
        }
        found = std::move(lines);
    }
    return found;
}

std::vector<std::string> SectionNames(std::string_view content, bool utf8, std::string_view source)
{
    const SectionNameMatcher wantedSource(source, utf8);
    std::vector<std::string> names;
    LineReader reader(content);
    while (!reader.atEnd()) {
        const std::string_view line = reader.next();
        if (!isHeader(line))
            continue;
        const std::string_view sourceLine = reader.next();
        const std::size_t equals = sourceLine.find('=');
        const std::string_view stored =
            equals == sourceLine.npos ? sourceLine : sourceLine.substr(equals + 1);
        if (wantedSource.matches(stored))
            names.push_back(DecodeSectionText(headerName(line), utf8));
    }
    return names;
}

bool HasSection(std::string_view content, bool utf8, std::string_view name, std::string_view source)
{
    const SectionNameMatcher wantedName(name, utf8);
    const SectionNameMatcher wantedSource(source, utf8);
    LineReader reader(content);
    while (!reader.atEnd()) {
        const std::string_view line = reader.next();
        if (isHeader(line) && wantedName.matches(headerName(line)) &&
            wantedSource.matches(sourceOf(reader.next())))
            return true;
    }
    return false;
}

std::string ReplaceSections(std::string_view content, bool utf8, std::string_view name,
                            std::string_view source, std::string_view replacement)
{
    const SectionNameMatcher wantedName(name, utf8);
    const SectionNameMatcher wantedSource(source, utf8);
    std::string out;
    out.reserve(content.size() + replacement.size());
    LineReader reader(content);
    while (!reader.atEnd()) {
        const std::string_view line = reader.next();
        if (!isHeader(line) || !wantedName.matches(headerName(line))) {
            AppendLine(out, line);
            continue;
        }
        const std::string_view sourceLine = reader.next();
        if (!wantedSource.matches(sourceOf(sourceLine))) {
            AppendLine(out, line);
            AppendLine(out, sourceLine);
            continue;
        }
        while (!reader.atEnd() && reader.next() != kTerminator) {
        }
        if (!reader.atEnd())
            reader.next(); // the empty line after the section
        out.append(replacement);
    }
    return out;
}

} // namespace bookformat
