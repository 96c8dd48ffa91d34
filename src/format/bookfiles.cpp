#include "format/bookfiles.h"

#include "format/commandvalue.h"

#include <algorithm>

namespace bookformat {

bool IsBareFileName(std::string_view name)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        return c == '/' || c == '\\' || c == ':' || static_cast<unsigned char>(c) < 0x20;
    });
}

std::string NotABookFileMessage(std::string_view owner, std::string_view name)
{
    return std::string(owner) + " names " + std::string(name) +
           ", which is not a file of the book's folder.";
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
