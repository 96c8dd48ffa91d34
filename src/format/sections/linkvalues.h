// The values a link of each type stores in its command, as the link dialog shows them: the
// pictures, sound and duration of a show, the file of a player, the program. Texts are UTF-8.
#pragma once

#include "format/records/storedcodes.h"

#include <string>
#include <string_view>

namespace bookformat {

struct LinkValues
{
    std::string graphic;
    std::string sound;
    std::string voice;
    std::string video;
    std::string midi;
    std::string program;
    int duration = 0; // tenths of a second
};

// The values of a command of a non-display type. A show's duration is the number in the (at most
// five) characters after the comma that ends its files: "SKY.BMP,30", "SKY.BMP,RAIN.WAV,30".
// Raises ConvertError when those characters are not a number.
LinkValues ReadLinkValues(HyperTextType type, std::string_view command);

} // namespace bookformat
