#include "format/reader/picturefile.h"

#include <cstdint>

namespace bookformat {

PictureKind SniffPicture(std::string_view bytes)
{
    using namespace std::string_view_literals;
    if (bytes.substr(0, 2) == "\xFF\xD8"sv)
        return PictureKind::Jpeg;
    const std::string_view start = bytes.substr(0, 4);
    if (start == "\xD7\xCD\xC6\x9A"sv ||
        (bytes.size() > 4 && (start == "\x01\x00\x09\x00"sv || start == "\x02\x00\x09\x00"sv)))
        return PictureKind::Metafile;
    return PictureKind::Bitmap;
}

namespace {

std::uint32_t bigEndian(std::string_view bytes, std::size_t at, int size)
{
    std::uint32_t value = 0;
    for (int i = 0; i < size; ++i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + std::size_t(i)]);
    return value;
}

std::uint32_t littleEndian(std::string_view bytes, std::size_t at, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + std::size_t(i)]);
    return value;
}

std::uint64_t rowsOf(const PlainBitmap& bitmap)
{
    return bitmap.height < 0 ? std::uint64_t(-std::int64_t(bitmap.height))
                             : std::uint64_t(bitmap.height);
}

std::uint64_t strideOf(const PlainBitmap& bitmap)
{
    return (std::uint64_t(bitmap.width) * bitmap.depth + 31) / 32 * 4;
}

// Pixel `x` of a row of a plain bitmap; `table` holds 2 to the depth entries.
std::uint32_t pixelOf(const unsigned char* row, std::size_t x, std::uint32_t depth,
                      const std::vector<std::uint32_t>& table)
{
    switch (depth) {
    case 24:
        return row[3 * x] | std::uint32_t(row[3 * x + 1]) << 8 |
               std::uint32_t(row[3 * x + 2]) << 16;
    case 8:
        return table[row[x]];
    case 4:
        return table[(row[x / 2] >> (x % 2 ? 0 : 4)) & 0xF];
    default:
        return table[(row[x / 8] >> (7 - x % 8)) & 1];
    }
}

// The frame header (SOF0 to SOF15, not DHT, JPG or DAC) holds the height, then the width.
std::optional<PictureSize> jpegSize(std::string_view bytes)
{
    std::size_t at = 2;
    while (at + 4 <= bytes.size()) {
        if (static_cast<unsigned char>(bytes[at]) != 0xFF)
            return std::nullopt;
        const auto marker = static_cast<unsigned char>(bytes[at + 1]);
        if (marker == 0xFF) { // fill byte
            ++at;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) { // no length
            at += 2;
            continue;
        }
        const std::size_t length = bigEndian(bytes, at + 2, 2);
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (at + 9 > bytes.size())
                return std::nullopt;
            return PictureSize{bigEndian(bytes, at + 7, 2), bigEndian(bytes, at + 5, 2)};
        }
        if (marker == 0xD9 || marker == 0xDA || length < 2) // the image data before any frame
            return std::nullopt;
        at += 2 + length;
    }
    return std::nullopt;
}

// The largest entry of an icon; an entry holding a PNG is as large as the PNG says.
std::optional<PictureSize> iconSize(std::string_view bytes)
{
    const std::size_t count = littleEndian(bytes, 4, 2);
    if (count == 0 || 6 + count * 16 > bytes.size())
        return std::nullopt;
    PictureSize largest;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = 6 + i * 16;
        PictureSize size{std::int64_t(static_cast<unsigned char>(bytes[entry])),
                         std::int64_t(static_cast<unsigned char>(bytes[entry + 1]))};
        size.width = size.width == 0 ? 256 : size.width;
        size.height = size.height == 0 ? 256 : size.height;
        const std::size_t offset = littleEndian(bytes, entry + 12, 4);
        if (offset < bytes.size() && bytes.substr(offset, 8) == "\x89PNG\r\n\x1A\n") {
            const std::optional<PictureSize> png = DeclaredPictureSize(bytes.substr(offset));
            if (!png)
                return std::nullopt;
            size = *png;
        }
        if (size.width * size.height > largest.width * largest.height)
            largest = size;
    }
    return largest;
}

} // namespace

std::optional<PictureSize> DeclaredPictureSize(std::string_view bytes)
{
    using namespace std::string_view_literals;
    if (bytes.substr(0, 8) == "\x89PNG\r\n\x1A\n"sv && bytes.size() >= 24 &&
        bytes.substr(12, 4) == "IHDR"sv)
        return PictureSize{bigEndian(bytes, 16, 4), bigEndian(bytes, 20, 4)};
    if (bytes.substr(0, 2) == "\xFF\xD8"sv)
        return jpegSize(bytes);
    if ((bytes.substr(0, 6) == "GIF87a"sv || bytes.substr(0, 6) == "GIF89a"sv) &&
        bytes.size() >= 10)
        return PictureSize{littleEndian(bytes, 6, 2), littleEndian(bytes, 8, 2)};
    if (bytes.substr(0, 2) == "BM"sv && bytes.size() >= 26) {
        const std::uint32_t header = littleEndian(bytes, 14, 4);
        if (header == 12) // the OS/2 header: 16-bit sides
            return PictureSize{littleEndian(bytes, 18, 2), littleEndian(bytes, 20, 2)};
        // 32-bit signed sides; a negative height is a picture stored top row first
        const auto width = std::int32_t(littleEndian(bytes, 18, 4));
        const auto height = std::int32_t(littleEndian(bytes, 22, 4));
        return PictureSize{width, height < 0 ? -std::int64_t(height) : height};
    }
    if (bytes.substr(0, 4) == "\0\0\1\0"sv)
        return iconSize(bytes);
    return std::nullopt;
}

bool MayDecodePicture(std::string_view bytes)
{
    if (SniffPicture(bytes) == PictureKind::Metafile)
        return true;
    const std::optional<PictureSize> size = DeclaredPictureSize(bytes);
    const std::int64_t side = kMaxPictureSide;
    return size && size->width > 0 && size->height > 0 && size->width * size->height <= side * side;
}

std::optional<PlainBitmap> PlainBitmapOf(std::string_view bytes)
{
    using namespace std::string_view_literals;
    constexpr std::size_t kFileHeader = 14;
    constexpr std::size_t kInfoHeader = 40;
    if (bytes.substr(0, 2) != "BM"sv || bytes.size() < kFileHeader + kInfoHeader ||
        littleEndian(bytes, kFileHeader, 4) != kInfoHeader)
        return std::nullopt;
    PlainBitmap bitmap{kFileHeader,
                       littleEndian(bytes, 10, 4),
                       std::int32_t(littleEndian(bytes, 18, 4)),
                       std::int32_t(littleEndian(bytes, 22, 4)),
                       littleEndian(bytes, 28, 2),
                       0};
    const std::uint32_t planes = littleEndian(bytes, 26, 2);
    const std::uint32_t depth = bitmap.depth;
    const std::uint32_t compression = littleEndian(bytes, 30, 4);
    const bool knownDepth = depth == 1 || depth == 4 || depth == 8 || depth == 24;
    if (planes != 1 || !knownDepth || compression != 0 || bitmap.width <= 0 || bitmap.height == 0 ||
        bitmap.height == INT32_MIN)
        return std::nullopt;
    bitmap.colours = depth == 24 ? 0 : littleEndian(bytes, 46, 4);
    if (depth != 24 && (bitmap.colours == 0 || bitmap.colours > (1U << depth)))
        bitmap.colours = 1U << depth;
    const std::uint64_t rows = rowsOf(bitmap);
    const std::uint64_t tableEnd = kFileHeader + kInfoHeader + std::uint64_t(bitmap.colours) * 4;
    if (bitmap.bitsOffset < tableEnd || bitmap.bitsOffset + strideOf(bitmap) * rows > bytes.size())
        return std::nullopt;
    return bitmap;
}

std::vector<std::uint32_t> PlainBitmapPixels(std::string_view bytes, const PlainBitmap& bitmap)
{
    std::vector<std::uint32_t> table(std::size_t(1) << (bitmap.depth == 24 ? 0 : bitmap.depth), 0);
    for (std::size_t i = 0; i < bitmap.colours; ++i)
        table[i] = littleEndian(bytes, bitmap.infoOffset + 40 + 4 * i, 3);
    const auto width = std::size_t(bitmap.width);
    const std::size_t rows = rowsOf(bitmap);
    std::vector<std::uint32_t> pixels(width * rows);
    for (std::size_t row = 0; row < rows; ++row) {
        const auto* from = reinterpret_cast<const unsigned char*>(bytes.data()) +
                           bitmap.bitsOffset + strideOf(bitmap) * row;
        std::uint32_t* to = pixels.data() + width * (bitmap.height < 0 ? row : rows - 1 - row);
        for (std::size_t x = 0; x < width; ++x)
            to[x] = pixelOf(from, x, bitmap.depth, table);
    }
    return pixels;
}

std::string PictureNotOpenedMessage(std::string_view name)
{
    return "The picture file " + std::string(name) + " could not be opened.";
}

std::string PictureDamagedMessage(std::string_view name)
{
    return "The picture file " + std::string(name) +
           " could not be read: it is damaged or not a picture of a known kind.";
}

} // namespace bookformat
