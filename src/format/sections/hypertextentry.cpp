#include "format/sections/hypertextentry.h"

#include "format/text/utf8.h"

namespace bookformat {

HyperTextType EntryType(const std::vector<std::string>& lines)
{
    return lines.size() < 3 ? HyperTextType::None : ParseTypeLine(lines[2]);
}

std::string_view EntryLineValue(std::string_view line)
{
    const std::size_t equals = line.find('=');
    return equals == line.npos ? line : line.substr(equals + 1);
}

std::string EntryCommand(const std::vector<std::string>& lines)
{
    return lines.size() > 3 ? std::string(EntryLineValue(lines[3])) : std::string();
}

std::string ShownEntryName(std::string_view name)
{
    std::size_t at = 0;
    for (std::size_t count = 0; at < name.size() && count < kMaxShownEntryName; ++count)
        at += ReadUtf8Char(name, at).length;
    return at < name.size() ? std::string(name.substr(0, at)) + "..." : std::string(name);
}

std::string EntryCaption(const std::vector<std::string>& lines)
{
    if (lines.empty())
        return {};
    std::string_view phrase = lines.front();
    if (!phrase.empty() && phrase.front() == '[')
        phrase = phrase.substr(1, phrase.size() >= 2 ? phrase.size() - 2 : 0);
    return ShownEntryName(phrase);
}

} // namespace bookformat
