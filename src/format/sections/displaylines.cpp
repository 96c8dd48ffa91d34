#include "format/sections/displaylines.h"

#include "format/formaterror.h"
#include "format/text/numbers.h"
#include "format/text/textencoding.h"

#include <array>
#include <cstdint>
#include <cstdio>

namespace bookformat {

namespace {

struct NamedColour
{
    const char* name;
    std::uint32_t value;
};

constexpr std::array<NamedColour, 42> kColourNames = {{
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clScrollBar", 0x80000000},
    {"clBackground", 0x80000001},
    {"clActiveCaption", 0x80000002},
    {"clInactiveCaption", 0x80000003},
    {"clMenu", 0x80000004},
    {"clWindow", 0x80000005},
    {"clWindowFrame", 0x80000006},
    {"clMenuText", 0x80000007},
    {"clWindowText", 0x80000008},
    {"clCaptionText", 0x80000009},
    {"clActiveBorder", 0x8000000A},
    {"clInactiveBorder", 0x8000000B},
    {"clAppWorkSpace", 0x8000000C},
    {"clHighlight", 0x8000000D},
    {"clHighlightText", 0x8000000E},
    {"clBtnFace", 0x8000000F},
    {"clBtnShadow", 0x80000010},
    {"clGrayText", 0x80000011},
    {"clBtnText", 0x80000012},
    {"clInactiveCaptionText", 0x80000013},
    {"clBtnHighlight", 0x80000014},
    {"cl3DDkShadow", 0x80000015},
    {"cl3DLight", 0x80000016},
    {"clInfoText", 0x80000017},
    {"clInfoBk", 0x80000018},
    {"clNone", 0x1FFFFFFF},
}};

std::string valueOf(std::string_view line)
{
    const std::size_t equals = line.find('=');
    return std::string(equals == std::string_view::npos ? line : line.substr(equals + 1));
}

bool sameAsciiLetters(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

std::int32_t toInt(std::string_view text)
{
    const std::optional<std::int32_t> value = ParseInteger(text);
    if (!value)
        throw ConvertError(std::string(text));
    return *value;
}

std::string boolText(const char* key, bool value)
{
    return std::string(key) + (value ? "true" : "false");
}

} // namespace

std::string ColourToString(Colour colour)
{
    const auto value = static_cast<std::uint32_t>(colour);
    for (const NamedColour& named : kColourNames) {
        if (named.value == value)
            return named.name;
    }
    char hex[16];
    std::snprintf(hex, sizeof hex, "$%08X", static_cast<unsigned>(value));
    return hex;
}

Colour StringToColour(std::string_view text)
{
    for (const NamedColour& named : kColourNames) {
        if (sameAsciiLetters(text, named.name))
            return static_cast<Colour>(named.value);
    }
    return toInt(text);
}

std::vector<std::string> DisplaySectionLines(std::string_view name, std::string_view source,
                                             int typeCode, const DisplayRecord& display,
                                             const std::vector<std::string>& textLines)
{
    std::vector<std::string> lines = {
        "[" + std::string(name) + "]",
        "source=" + std::string(source),
        "type=" + std::to_string(typeCode),
        "displaytype=" + std::to_string(display.BackType),
        boolText("fullscreen=", display.FullScreen == 1),
        "Sbackcolor=" + ColourToString(display.BackColor),
        "SGraphic=" + display.GraphicFile.utf8(),
        "SWallpaper=" + display.WallpaperFile.utf8(),
        "VPBack=" + ColourToString(display.TextColor),
        "VPLeft=" + std::to_string(display.WinLeft),
        "VPTop=" + std::to_string(display.WinTop),
        "VPWidth=" + std::to_string(display.WinWidth),
        "VPHeight=" + std::to_string(display.WinHeight),
        "RLTop=" + std::to_string(display.RLTop),
        "RLLeft=" + std::to_string(display.RLLeft),
        boolText("print=", display.PrintAllowed != 0),
        "text=",
    };
    lines.insert(lines.end(), textLines.begin(), textLines.end());
    lines.emplace_back("]");
    lines.emplace_back();
    return lines;
}

void ParseDisplayEntry(const std::vector<std::string>& lines, DisplayRecord& display,
                       std::vector<std::string>& textLines)
{
    constexpr std::size_t kFirstTextLine = 17;
    if (lines.size() < kFirstTextLine) {
        throw FormatError("The HyperText entry " + (lines.empty() ? std::string() : lines.front()) +
                          " is damaged: it holds " + std::to_string(lines.size()) +
                          " lines where a display needs " + std::to_string(kFirstTextLine) + ".");
    }
    display.BackType = toInt(valueOf(lines[3]));
    display.FullScreen = lines[4].find("true") != std::string::npos ? 1 : 0;
    display.BackColor = StringToColour(valueOf(lines[5]));
    display.GraphicFile.setUtf8(valueOf(lines[6]));
    display.WallpaperFile.setUtf8(valueOf(lines[7]));
    display.TextColor = StringToColour(valueOf(lines[8]));
    display.WinLeft = toInt(valueOf(lines[9]));
    display.WinTop = toInt(valueOf(lines[10]));
    display.WinWidth = toInt(valueOf(lines[11]));
    display.WinHeight = toInt(valueOf(lines[12]));
    display.PrintAllowed = lines[15].find("true") != std::string::npos ? 1 : 0;
    textLines.insert(textLines.end(), lines.begin() + kFirstTextLine, lines.end());
}

std::string RtfFromLines(const std::vector<std::string>& textLines)
{
    std::string joined;
    for (std::size_t i = 0; i < textLines.size(); ++i) {
        if (i > 0)
            joined += "\r\n";
        joined += textLines[i];
    }
    return Utf8ToWindows1252(joined);
}

} // namespace bookformat
