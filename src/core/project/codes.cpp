// The stored codes.
#include "core/project/codes.h"

#include "core/files/filenames.h"

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

HyperTextType ParseTypeLine(const QString& line)
{
    const QString digits = line.mid(line.indexOf(QLatin1Char('=')) + 1, 2);
    return ToHyperTextType(ParseInteger(digits).value_or(0));
}
