#include "format/records/storedcodes.h"

#include "format/text/numbers.h"

namespace bookformat {

HyperTextType ToHyperTextType(int code)
{
    if ((code >= 1 && code <= 10) || code == 13)
        return static_cast<HyperTextType>(code);
    return HyperTextType::None;
}

bool IsCommandType(HyperTextType type)
{
    switch (type) {
    case HyperTextType::GraphicOnly:
    case HyperTextType::VoiceOnly:
    case HyperTextType::ExecutableProgram:
    case HyperTextType::GraphicAndSound:
    case HyperTextType::WindowsProgram:
    case HyperTextType::HtmlFile:
        return true;
    default:
        return false;
    }
}

HyperTextType ParseTypeLine(std::string_view line)
{
    const std::size_t equals = line.find('=');
    const std::string_view digits =
        (equals == std::string_view::npos ? line : line.substr(equals + 1)).substr(0, 2);
    return ToHyperTextType(ParseInteger(digits).value_or(0));
}

} // namespace bookformat
