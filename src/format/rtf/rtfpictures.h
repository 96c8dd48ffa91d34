// Pictures inside rich text, rewritten for a rich-text control that draws only some kinds: each
// picture group ({\pict ...}) that a runtime's converter can turn into a device-independent
// bitmap is replaced by a \dibitmap0 group of the bitmap, shown at the size the converter drew.
// The rest of the text, every other group among it, is kept byte for byte.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace bookformat {

struct RtfPicture
{
    enum class Kind
    {
        Png,
        Jpeg,
        WindowsMetafile, // \wmetafile: a plain metafile, no placeable header
        EnhancedMetafile,
        Bitmap, // \dibitmap or \wbitmap: drawn already
        Other,
    };
    Kind kind = Kind::Other;
    std::string data; // the picture's bytes, from its hexadecimal or \bin data
    int width = 0;    // \picw, \pich: pixels, or 0.01 mm for a metafile
    int height = 0;
    int widthGoal = 0; // \picwgoal, \pichgoal: twips
    int heightGoal = 0;
    int scaleX = 100; // \picscalex, \picscaley: per cent
    int scaleY = 100;
};

// A bitmap as the group holds it: BITMAPINFOHEADER and 24-bit rows, bottom row first.
struct DibPicture
{
    std::string packed;
    int width = 0;
    int height = 0;
};

// Nothing when the converter leaves the picture as it is.
using PictureConverter = std::function<std::optional<DibPicture>(const RtfPicture&)>;

std::string ReplaceRtfPictures(std::string_view rtf, const PictureConverter& convert);

// The size a picture is shown at, in pixels at 96 per inch: its goal size scaled, or else its own
// size (a metafile's from 0.01 mm); 0 where the group tells none.
int ShownWidth(const RtfPicture& picture);
int ShownHeight(const RtfPicture& picture);

} // namespace bookformat
