#include "format/rtf/rtfnesting.h"

#include "format/rtf/rtftokens.h"

#include <algorithm>

namespace bookformat {

namespace {

// Walks the text's braces: `brace(position, opening)` for each group brace, in order.
template <class Brace> void forEachBrace(std::string_view rtf, Brace&& brace)
{
    RtfTokenizer tokens(rtf);
    RtfToken token;
    while (tokens.next(token)) {
        if (token.kind == RtfToken::Kind::GroupStart || token.kind == RtfToken::Kind::GroupEnd)
            brace(token.begin, token.kind == RtfToken::Kind::GroupStart);
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
