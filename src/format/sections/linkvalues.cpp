#include "format/sections/linkvalues.h"

#include "format/formaterror.h"
#include "format/text/numbers.h"
#include "format/text/utf8.h"

namespace bookformat {

namespace {

// The part of the command between two commas (the whole rest for the last).
std::string part(std::string_view command, int index)
{
    std::size_t start = 0;
    for (int i = 0; i < index; ++i) {
        start = command.find(',', start);
        if (start == command.npos)
            return {};
        ++start;
    }
    return std::string(command.substr(start, command.find(',', start) - start));
}

// The number in the (at most five) characters after the `index`-th comma; 0 without that comma.
int durationAfterComma(std::string_view command, int index)
{
    std::size_t comma = std::string_view::npos;
    for (int i = 0; i < index; ++i) {
        comma = command.find(',', comma == command.npos ? 0 : comma + 1);
        if (comma == command.npos)
            return 0;
    }
    const std::string_view rest = command.substr(comma + 1);
    std::size_t end = 0;
    for (int count = 0; count < 5 && end < rest.size(); ++count)
        end += ReadUtf8Char(rest, end).length;
    const std::string_view digits = rest.substr(0, end);
    const auto value = ParseInteger(digits);
    if (!value)
        throw ConvertError(std::string(digits));
    return *value;
}

} // namespace

LinkValues ReadLinkValues(HyperTextType type, std::string_view command)
{
    LinkValues values;
    switch (type) {
    case HyperTextType::GraphicOnly:
        values.graphic = part(command, 0);
        values.duration = durationAfterComma(command, 1);
        break;
    case HyperTextType::GraphicAndSound:
        values.graphic = part(command, 0);
        values.sound = part(command, 1);
        values.duration = durationAfterComma(command, 2);
        break;
    case HyperTextType::VoiceOnly:
        values.voice = command;
        break;
    case HyperTextType::VideoPlayer:
        values.video = command;
        break;
    case HyperTextType::MidiPlayer:
        values.midi = command;
        break;
    case HyperTextType::ExecutableProgram:
    case HyperTextType::WindowsProgram:
    case HyperTextType::HtmlFile:
        values.program = command;
        break;
    default:
        break;
    }
    return values;
}

} // namespace bookformat
