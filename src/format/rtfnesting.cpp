#include "format/rtfnesting.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace bookformat {

namespace {

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Walks the text's braces: `brace(position, opening)` for each group brace, in order; escaped
// braces, \'hh characters and the data of \bin are stepped over.
template <class Brace> void forEachBrace(std::string_view rtf, Brace&& brace)
{
    std::size_t i = 0;
    while (i < rtf.size()) {
        const char c = rtf[i];
        if (c == '{' || c == '}') {
            brace(i, c == '{');
            ++i;
        } else if (c == '\\' && i + 1 < rtf.size() && isLetter(rtf[i + 1])) {
            std::size_t end = i + 1;
            while (end < rtf.size() && isLetter(rtf[end]))
                ++end;
            const bool bin = rtf.substr(i + 1, end - i - 1) == "bin";
            const bool negative = end < rtf.size() && rtf[end] == '-';
            std::size_t after = end + (negative ? 1 : 0);
            std::uint64_t count = 0;
            while (after < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[after])) &&
                   count < rtf.size())
                count = count * 10 + std::uint64_t(rtf[after++] - '0');
            if (after < rtf.size() && rtf[after] == ' ')
                ++after;
            if (bin && !negative)
                after += std::size_t(std::min<std::uint64_t>(count, rtf.size() - after));
            i = after;
        } else if (c == '\\') {
            i += i + 1 < rtf.size() && rtf[i + 1] == '\'' ? 4 : 2;
        } else {
            ++i;
        }
    }
}

} // namespace

int RtfNestingDepth(std::string_view rtf)
{
    int depth = 0;
    int deepest = 0;
    forEachBrace(rtf, [&](std::size_t, bool opening) {
        depth = opening ? depth + 1 : std::max(0, depth - 1);
        deepest = std::max(deepest, depth);
    });
    return deepest;
}

std::string FlattenRtfNesting(std::string_view rtf, int maxDepth)
{
    std::string out;
    out.reserve(rtf.size());
    std::size_t copied = 0;
    int depth = 0;
    int beyond = 0; // open groups whose braces are left out
    forEachBrace(rtf, [&](std::size_t at, bool opening) {
        bool keep = true;
        if (opening) {
            keep = depth < maxDepth;
            depth += keep ? 1 : 0;
            beyond += keep ? 0 : 1;
        } else if (beyond > 0) {
            keep = false;
            --beyond;
        } else {
            depth = std::max(0, depth - 1);
        }
        if (!keep) {
            out.append(rtf.substr(copied, at - copied));
            copied = at + 1;
        }
    });
    out.append(rtf.substr(copied));
    return out;
}

std::string FlattenedChapterNote(std::string_view menuEntry, int depth)
{
    return "The chapter \"" + std::string(menuEntry) + "\" nests its text " +
           std::to_string(depth) + " groups deep; the Windows reader shows it flattened to " +
           std::to_string(kMaxRtfNesting) + ".";
}

} // namespace bookformat
