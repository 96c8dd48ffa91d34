// What a show of a command value does: a film, or a sound other than a wave file, plays in the
// media player; a wave file alone plays with no window; a picture fills the screen for its time
// with its sound. Every runtime plays a show by this plan.
#pragma once

#include "format/sections/commandsyntax.h"

#include <string>

namespace bookformat {

enum class ShowMode
{
    Nothing, // the value names nothing to show or play
    Player,  // the media player with `video`, else `sound`
    Sound,   // `sound` (a wave file) plays, no window opens
    Picture, // `picture` for the value's time, `sound` playing
};

struct ShowPlan
{
    ShowMode mode = ShowMode::Nothing;
    std::string picture;
    std::string sound;
    std::string video;
    int delayMs = 0;
};

ShowPlan PlanShow(const ShowCommandParts& parts);

// Whether the runtimes play the sound file without the media player (".WAV", upper case as the
// show command reads it).
bool IsWaveName(std::string_view name);

} // namespace bookformat
