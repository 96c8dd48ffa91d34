// Picture files of the book's folder as every runtime reads them: the kind told by the content
// whatever the name says, the bounds on what one picture may cost, and the messages. Texts are
// UTF-8.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bookformat {

enum class PictureKind
{
    Jpeg,
    Metafile, // a placeable metafile, or a plain one (type 1 or 2, header of nine words)
    Bitmap,   // BMP, ICO or anything else a picture reader may know
};
PictureKind SniffPicture(std::string_view bytes);

// A larger file is not read; a picture with more pixels than a square of this side is not drawn.
inline constexpr std::int64_t kMaxPictureFile = 64LL << 20;
inline constexpr int kMaxPictureSide = 4096;
// The pixels of all the pictures of one rich text together: those beyond it are not drawn.
inline constexpr std::int64_t kMaxDocumentPicturePixels = 64LL << 20;

// The pixels a raster picture's header declares, read before anything is decoded: PNG, JPEG,
// GIF, BMP, and ICO (its largest entry). Nothing for other kinds and for a header cut short.
struct PictureSize
{
    std::int64_t width = 0;
    std::int64_t height = 0;
};
std::optional<PictureSize> DeclaredPictureSize(std::string_view bytes);

// Whether a picture of these bytes may be decoded: a metafile (drawn at the size it is shown),
// or a raster picture whose header declares at most a square of kMaxPictureSide of pixels.
// Other bytes are not decoded: no decoder is handed a picture it may not bound.
bool MayDecodePicture(std::string_view bytes);

// Where the pixels of a plain BMP file lie: one uncompressed picture of 1, 4, 8 or 24 bits a
// pixel with the usual 40-byte header, whose colour table and rows all lie inside the file.
// GDI draws such a file straight from its bytes; any other kind goes to a picture decoder.
struct PlainBitmap
{
    std::size_t infoOffset = 0; // the BITMAPINFO: the header, then the colour table
    std::size_t bitsOffset = 0; // the rows, bottom row first or (a negative height) top first
    std::int32_t width = 0;
    std::int32_t height = 0;   // as stored: negative for a picture stored top row first
    std::uint32_t depth = 0;   // bits a pixel
    std::uint32_t colours = 0; // entries of the colour table
};
std::optional<PlainBitmap> PlainBitmapOf(std::string_view bytes);
// Its pixels as 32-bit words (blue, green, red in the low three bytes, the fourth 0), top row
// first, as GDI makes them of it; a colour index past the table is black.
std::vector<std::uint32_t> PlainBitmapPixels(std::string_view bytes, const PlainBitmap& bitmap);

// `name` is the file's name without its folder.
std::string PictureNotOpenedMessage(std::string_view name);
std::string PictureDamagedMessage(std::string_view name);

} // namespace bookformat
