// The numbered codes the book's files store: HyperText types, which the opening and closing
// commands share, and background types. Records keep the stored integers; code compares them
// through these enums, never as bare numbers.
#pragma once

#include <string_view>

namespace bookformat {

// The value of a HyperText entry's "type=" line and of a CommandRecord's CommandType.
enum class HyperTextType : int
{
    None = 0, // also every code that is never written: 11, 12 and above 13
    TextOnly = 1,
    GraphicOnly = 2,
    VoiceOnly = 3,
    ExecutableProgram = 4,
    GraphicAndText = 5,
    GraphicAndSound = 6,
    VideoPlayer = 7,
    MidiPlayer = 8,
    WindowsProgram = 9,
    HtmlFile = 10,
    NotePad = 13,
};

// A stored code as a type; codes that are never written are None.
HyperTextType ToHyperTextType(int code);

// The kinds an opening or closing command may have; other stored codes do nothing.
bool IsCommandType(HyperTextType type);

// The type code of a "type=" line: the number formed by at most the two characters after its
// first "="; None when there is none ("type=135" is 13).
HyperTextType ParseTypeLine(std::string_view line);

// A screen's background: DisplayRecord::BackType and ConfigRecord::ProgBackType.
enum class BackgroundType : int
{
    Colour = 1,
    Picture = 2,
    Wallpaper = 3,
};

// Whether a stored background code is `type`; stored codes outside the three match none.
inline bool IsBackground(int stored, BackgroundType type)
{
    return stored == static_cast<int>(type);
}

} // namespace bookformat
