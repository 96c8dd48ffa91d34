// Pictures inside rich text, read once for every runtime: a picture group ({\pict ...}) read
// into its kind, data and sizes, the size it is shown at, and the text rewritten for a rich-text
// control that draws only some kinds (each group that a runtime's converter can turn into a
// device-independent bitmap is replaced by a \dibitmap0 group of the bitmap, shown at the size
// the converter drew; the rest of the text, every other group among it, is kept byte for byte).
#pragma once

#include "format/reader/picturefile.h"

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

// A picture group read as its pieces arrive, for a reader that cuts the text itself: the control
// words and data at the group's own level go in, the picture comes out.
class RtfPictureReader
{
public:
    void word(std::string_view word, int param);
    // Hexadecimal digits, two to a byte; anything else among them is skipped.
    void hexText(std::string_view text);
    // The bytes of a \binN control word.
    void binary(std::string_view bytes) { m_picture.data.append(bytes); }
    const RtfPicture& picture() const { return m_picture; }

private:
    RtfPicture m_picture;
    int m_nibble = -1;
};

// The size a picture is shown at, in pixels at 96 per inch, one rule for every runtime. A side
// with a goal (\picwgoal, \pichgoal) is that goal; a side without one is the picture's own:
// `decoded` for a raster picture when it was decoded, else \picw or \pich (pixels; a
// metafile's in 0.01 mm). Each side is then scaled by its \picscalex or \picscaley (0 or less
// counts as 100 %) and is at least a pixel; a picture wider or higher than kMaxPictureSide is
// shrunk to fit, its proportions kept. Nothing when a side is told neither way.
std::optional<PictureSize> ShownPictureSize(const RtfPicture& picture,
                                            std::optional<PictureSize> decoded);

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

} // namespace bookformat
