#include "format/sections/introsection.h"

#include "format/sections/sectionrules.h"
#include "format/text/linebreaks.h"

namespace bookformat {

namespace {

bool isIntroHeader(std::string_view line)
{
    return line.substr(0, 7) == "[^INTRO";
}

} // namespace

std::vector<std::string> IntroSectionLines(const std::vector<std::string>& textLines)
{
    std::vector<std::string> lines{"[^INTRODUCTION^]", "source=INTRO", "text="};
    lines.insert(lines.end(), textLines.begin(), textLines.end());
    lines.emplace_back("]");
    return lines;
}

std::optional<std::vector<std::string>> FindIntroText(std::string_view content, bool utf8)
{
    std::optional<std::vector<std::string>> text;
    LineReader reader(content);
    while (!reader.atEnd()) {
        if (!isIntroHeader(reader.next()))
            continue;
        if (!text)
            text.emplace();
        reader.next(); // source line
        reader.next(); // "text="
        while (!reader.atEnd()) {
            const std::string_view line = reader.next();
            if (!line.empty() && line.front() == ']')
                break;
            text->push_back(DecodeSectionText(line, utf8));
        }
    }
    return text;
}

std::string ReplaceIntroSections(std::string_view content, std::string_view section)
{
    std::string out;
    out.reserve(content.size() + section.size());
    LineReader reader(content);
    while (!reader.atEnd()) {
        const std::string_view line = reader.next();
        if (!isIntroHeader(line)) {
            AppendLine(out, line);
            continue;
        }
        while (!reader.atEnd() && reader.next() != "]") {
        }
        out.append(section);
    }
    return out;
}

} // namespace bookformat
