#include "format/reader/showplan.h"

namespace bookformat {

bool IsWaveName(std::string_view name)
{
    return name.size() >= 4 && name.substr(name.size() - 4) == ".WAV";
}

ShowPlan PlanShow(const ShowCommandParts& parts)
{
    if (!parts.video.empty())
        return {ShowMode::Player, {}, {}, parts.video, 0};
    if (!parts.picture.empty())
        return {ShowMode::Picture, parts.picture, parts.sound, {}, parts.delayMs};
    if (parts.sound.empty())
        return {};
    return {IsWaveName(parts.sound) ? ShowMode::Sound : ShowMode::Player, {}, parts.sound, {}, 0};
}

} // namespace bookformat
