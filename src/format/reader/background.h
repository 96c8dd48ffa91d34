// What a screen's background shows: its colour, a picture stretched over it, or a picture tiled
// over it (wallpaper); and what the reader is told when the picture cannot be shown. Every screen
// of the book, the program background among them, decides it so. Texts are UTF-8.
#pragma once

#include "format/reader/linkaction.h"
#include "format/records/recordlayout.h"

#include <string>

namespace bookformat {

struct Background
{
    int type = 0; // a stored BackgroundType code
    Colour colour = 0;
    std::string graphicFile;
    std::string wallpaperFile;
};

template <class Record> Background BackgroundOf(const Record& display)
{
    return {display.BackType, display.BackColor, display.GraphicFile.utf8(),
            display.WallpaperFile.utf8()};
}

enum class BackgroundLook
{
    Colour,  // the colour fills the screen
    Picture, // the file stretched over the screen
    Tiles,   // the file tiled from the screen's top left
    Own,     // a stored code of no kind: the screen keeps its own colour
    Refused, // a wallpaper that cannot be tiled: the message, and the screen is not shown
};

struct BackgroundPlan
{
    BackgroundLook look = BackgroundLook::Own;
    std::string file; // Picture and Tiles
    // Refused: why. Picture and Tiles: why the picture is not shown (its name leaves the book's
    // folder), so that the colour stands in for it; empty when the runtime may load it.
    std::string message;
};

// The plan of a background; `isBookFile` as for a link (IsBareFileName by default).
BackgroundPlan PlanBackground(const Background& background, const BookFileCheck& isBookFile = {});

// What the reader is told when the plan's picture is not there (an empty name included): "The
// graphic file X was not found", or "The Wallpaper file X was not found" for tiles.
std::string MissingPictureMessage(const BackgroundPlan& plan);

} // namespace bookformat
