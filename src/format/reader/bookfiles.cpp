#include "format/reader/bookfiles.h"

#include "format/sections/commandsyntax.h"

#include <algorithm>

namespace bookformat {

bool HoldsDirectionControl(std::string_view text)
{
    // U+202A..U+202E are E2 80 AA..AE in UTF-8, U+2066..U+2069 are E2 81 A6..A9.
    for (std::size_t at = text.find('\xE2'); at != text.npos && at + 2 < text.size();
         at = text.find('\xE2', at + 1)) {
        const auto second = static_cast<unsigned char>(text[at + 1]);
        const auto third = static_cast<unsigned char>(text[at + 2]);
        if ((second == 0x80 && third >= 0xAA && third <= 0xAE) ||
            (second == 0x81 && third >= 0xA6 && third <= 0xA9))
            return true;
    }
    return false;
}

bool IsBareFileName(std::string_view name)
{
    if (name.empty() || name == "." || name == ".." || HoldsDirectionControl(name))
        return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        return c == '/' || c == '\\' || c == ':' || static_cast<unsigned char>(c) < 0x20;
    });
}

bool IsWebPageName(std::string_view name)
{
    const std::size_t dot = name.rfind('.');
    if (dot == name.npos)
        return false;
    std::string extension(name.substr(dot + 1));
    for (char& c : extension)
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return extension == "HTM" || extension == "HTML";
}

std::string NotABookFileMessage(std::string_view owner, std::string_view name)
{
    return std::string(owner) + " names " + std::string(name) +
           ", which is not a file of the book's folder.";
}

std::string NotAWebPageMessage(std::string_view owner, std::string_view name)
{
    return std::string(owner) + " names " + std::string(name) +
           ", which is not a web page of the book.";
}

std::vector<std::string> FilesOpenedBy(HyperTextType type, std::string_view value)
{
    switch (type) {
    case HyperTextType::GraphicOnly:
    case HyperTextType::VoiceOnly:
    case HyperTextType::GraphicAndSound:
    case HyperTextType::VideoPlayer:
    case HyperTextType::MidiPlayer: {
        const ShowCommandParts parts = ParseShowCommand(value);
        std::vector<std::string> names;
        for (const std::string& name : {parts.picture, parts.sound, parts.video}) {
            if (!name.empty())
                names.push_back(name);
        }
        return names;
    }
    case HyperTextType::ExecutableProgram:
    case HyperTextType::WindowsProgram: {
        std::vector<std::string> words = ProgramArguments(type, value, {});
        words.resize(std::min<std::size_t>(words.size(), 1));
        return words;
    }
    case HyperTextType::HtmlFile:
        if (IsWebAddress(value))
            return {};
        [[fallthrough]];
    case HyperTextType::NotePad:
        return value.empty() ? std::vector<std::string>() : std::vector{std::string(value)};
    default:
        return {};
    }
}

} // namespace bookformat
