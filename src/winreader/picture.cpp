#include "winreader/picture.h"

#include "format/reader/picturefile.h"
#include "format/reader/picturestretch.h"
#include "winreader/files.h"
#include "winreader/wintext.h"

#include <cstdlib>
#include <cstring>
#include <future>
#include <map>
#include <new>
#include <system_error>
#include <utility>

// GDI+ needs the COM types first.
// clang-format off
#include <objidl.h>
#include <gdiplus.h>
// clang-format on

namespace winreader {

namespace {

std::unique_ptr<Gdiplus::Image> fromStream(const std::string& bytes)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!memory)
        return nullptr;
    std::memcpy(GlobalLock(memory), bytes.data(), bytes.size());
    GlobalUnlock(memory);
    IStream* stream = nullptr;
    if (CreateStreamOnHGlobal(memory, TRUE, &stream) != S_OK) {
        GlobalFree(memory);
        return nullptr;
    }
    // The image keeps reading the stream; a clone holds its own copy of the pixels.
    std::unique_ptr<Gdiplus::Image> loaded(Gdiplus::Image::FromStream(stream));
    std::unique_ptr<Gdiplus::Image> image(
        loaded && loaded->GetLastStatus() == Gdiplus::Ok ? loaded->Clone() : nullptr);
    loaded.reset();
    stream->Release();
    return image;
}

// A plain metafile (no placeable header), as RTF holds them: GDI+ reads only placeable ones.
std::unique_ptr<Gdiplus::Image> plainMetafile(const std::string& bytes)
{
    HENHMETAFILE emf = SetWinMetaFileBits(
        UINT(bytes.size()), reinterpret_cast<const BYTE*>(bytes.data()), nullptr, nullptr);
    if (!emf)
        return nullptr;
    return std::make_unique<Gdiplus::Metafile>(emf, TRUE);
}

bool sensible(Gdiplus::Image& image)
{
    const std::uint64_t side = bookformat::kMaxPictureSide;
    return image.GetLastStatus() == Gdiplus::Ok && image.GetWidth() > 0 && image.GetHeight() > 0 &&
           std::uint64_t(image.GetWidth()) * image.GetHeight() <= side * side;
}

// 32-bit pixels, rows top first, as GDI reads and writes them.
BITMAPINFO topDownInfo(SIZE size)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

std::vector<std::uint32_t> stretched(const std::vector<std::uint32_t>& own, SIZE ownSize, SIZE size)
{
    if (own.empty() || (ownSize.cx == size.cx && ownSize.cy == size.cy))
        return own;
    std::vector<std::uint32_t> pixels(std::size_t(size.cx) * std::size_t(size.cy));
    bookformat::StretchPixels(own.data(), ownSize.cx, ownSize.cy, pixels.data(), size.cx, size.cy);
    return pixels;
}

std::string fileNameOf(const std::string& file)
{
    const std::size_t slash = file.find_last_of("/\\");
    return slash == std::string::npos ? file : file.substr(slash + 1);
}

} // namespace

GdiPlusSession::GdiPlusSession()
{
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&m_token, &input, nullptr);
}

GdiPlusSession::~GdiPlusSession()
{
    Gdiplus::GdiplusShutdown(m_token);
}

// A picture file as read and decoded, shared by the pictures of the same unchanged file: a
// screen over the program background mostly shows the background's own picture.
struct Picture::Source
{
    std::string bytes; // a plain bitmap's file
    std::optional<bookformat::PlainBitmap> plain;
    std::unique_ptr<Gdiplus::Image> image;

    bool drawnOver() const
    {
        return image && (image->GetType() == Gdiplus::ImageTypeMetafile ||
                         Gdiplus::IsAlphaPixelFormat(image->GetPixelFormat()));
    }
    SIZE size() const
    {
        return plain ? SIZE{plain->width, std::abs(plain->height)}
                     : SIZE{LONG(image->GetWidth()), LONG(image->GetHeight())};
    }
};

struct Picture::Scaled
{
    SIZE size{};
    std::future<std::vector<std::uint32_t>> coming; // being scaled on another thread
    std::vector<std::uint32_t> pixels;
};

namespace {

struct Loaded
{
    std::weak_ptr<const Picture::Source> source;
    std::uint64_t size = 0;
    FILETIME written{};
};

// The pictures read so far, by name, while any of them is still shown.
std::map<std::string, Loaded>& loadedPictures()
{
    static std::map<std::string, Loaded> loaded;
    return loaded;
}

} // namespace

Picture::Picture() = default;
Picture::~Picture() = default;
Picture::Picture(Picture&&) noexcept = default;
Picture& Picture::operator=(Picture&&) noexcept = default;

Picture Picture::load(const std::string& file, std::string& error)
{
    WIN32_FILE_ATTRIBUTE_DATA stamp{};
    const bool stamped =
        GetFileAttributesExW(Wide(file).c_str(), GetFileExInfoStandard, &stamp) != 0;
    const std::uint64_t size = (std::uint64_t(stamp.nFileSizeHigh) << 32) | stamp.nFileSizeLow;
    Loaded& loaded = loadedPictures()[file];
    Picture picture;
    picture.m_source = loaded.source.lock();
    if (picture.m_source && stamped && loaded.size == size &&
        CompareFileTime(&loaded.written, &stamp.ftLastWriteTime) == 0)
        return picture;
    picture.m_source = read(file, error);
    loaded = Loaded{picture.m_source, size, stamp.ftLastWriteTime};
    return picture;
}

std::shared_ptr<const Picture::Source> Picture::read(const std::string& file, std::string& error)
{
    std::string bytes;
    if (!ReadWholeFile(Wide(file), bookformat::kMaxPictureFile, bytes)) {
        error = bookformat::PictureNotOpenedMessage(fileNameOf(file));
        return nullptr;
    }
    // Bounded by what its header declares, before GDI+ decodes a pixel of it.
    if (!bookformat::MayDecodePicture(bytes)) {
        error = bookformat::PictureDamagedMessage(fileNameOf(file));
        return nullptr;
    }
    auto source = std::make_shared<Source>();
    source->plain = bookformat::PlainBitmapOf(bytes);
    if (source->plain) {
        source->bytes = std::move(bytes);
        return source;
    }
    const bool plain = bookformat::SniffPicture(bytes) == bookformat::PictureKind::Metafile &&
                       bytes.compare(0, 4, "\xD7\xCD\xC6\x9A") != 0;
    source->image = plain ? plainMetafile(bytes) : fromStream(bytes);
    if (!source->image || !sensible(*source->image)) {
        error = bookformat::PictureDamagedMessage(fileNameOf(file));
        return nullptr;
    }
    return source;
}

// The picture at its own size, as GDI converts it, flattened on white.
std::vector<std::uint32_t> Picture::decodedPixels() const
{
    HBITMAP bitmap = nullptr;
    if (static_cast<Gdiplus::Bitmap*>(m_source->image.get())
            ->GetHBITMAP(Gdiplus::Color(255, 255, 255), &bitmap) != Gdiplus::Ok)
        return {};
    const SIZE own = m_source->size();
    std::vector<std::uint32_t> pixels(std::size_t(own.cx) * std::size_t(own.cy));
    BITMAPINFO info = topDownInfo(own);
    HDC screen = GetDC(nullptr);
    if (GetDIBits(screen, bitmap, 0, UINT(own.cy), pixels.data(), &info, DIB_RGB_COLORS) == 0)
        pixels.clear();
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    return pixels;
}

void Picture::prepareStretched(SIZE size) const
{
    if (isNull() || m_source->drawnOver() || size.cx <= 0 || size.cy <= 0 ||
        (m_scaled && m_scaled->size.cx == size.cx && m_scaled->size.cy == size.cy))
        return;
    auto scaled = std::make_unique<Scaled>();
    scaled->size = size;
    try {
        // A plain bitmap is read from its bytes on the other thread too; GDI+ converts a decoded
        // picture here.
        std::vector<std::uint32_t> decoded =
            m_source->plain ? std::vector<std::uint32_t>() : decodedPixels();
        const auto scale = [source = m_source, decoded = std::move(decoded), size] {
            if (!source->plain)
                return stretched(decoded, source->size(), size);
            return stretched(bookformat::PlainBitmapPixels(source->bytes, *source->plain),
                             source->size(), size);
        };
        try {
            scaled->coming = std::async(std::launch::async, scale);
        } catch (const std::system_error&) {
            scaled->coming = std::async(std::launch::deferred, scale); // no thread to be had
        }
    } catch (const std::bad_alloc&) {
        // Nothing is drawn, as when the pixels do not fit in memory at paint time.
    }
    m_scaled = std::move(scaled);
}

const std::vector<std::uint32_t>& Picture::scaledPixels(SIZE size) const
{
    prepareStretched(size);
    if (m_scaled->coming.valid()) {
        try {
            m_scaled->pixels = m_scaled->coming.get();
        } catch (const std::bad_alloc&) {
            m_scaled->pixels.clear();
        }
    }
    return m_scaled->pixels;
}

void Picture::drawStretched(HDC dc, const RECT& area) const
{
    const SIZE size{area.right - area.left, area.bottom - area.top};
    if (isNull() || size.cx <= 0 || size.cy <= 0)
        return;
    if (m_source->drawnOver()) {
        // Drawn over what lies below, where the metafile or an icon draws nothing.
        Gdiplus::Graphics graphics(dc);
        graphics.DrawImage(m_source->image.get(),
                           Gdiplus::Rect(area.left, area.top, size.cx, size.cy));
        return;
    }
    const std::vector<std::uint32_t>& pixels = scaledPixels(size);
    if (pixels.empty())
        return;
    const BITMAPINFO info = topDownInfo(size);
    StretchDIBits(dc, area.left, area.top, size.cx, size.cy, 0, 0, size.cx, size.cy, pixels.data(),
                  &info, DIB_RGB_COLORS, SRCCOPY);
}

void Picture::drawTiled(HDC dc, const RECT& area) const
{
    if (isNull())
        return;
    if (m_source->plain) {
        // The first tile lies in the area's corner, below a title bar, not in the window's.
        const SIZE own = m_source->size();
        const std::vector<std::uint32_t>& pixels = scaledPixels(own);
        const BITMAPINFO info = topDownInfo(own);
        void* bits = nullptr;
        HBITMAP tile = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (!tile || pixels.empty()) {
            DeleteObject(tile);
            return;
        }
        std::memcpy(bits, pixels.data(), pixels.size() * sizeof pixels.front());
        HBRUSH tiles = CreatePatternBrush(tile);
        POINT oldOrigin{};
        SetBrushOrgEx(dc, area.left, area.top, &oldOrigin);
        FillRect(dc, &area, tiles);
        SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
        DeleteObject(tiles);
        DeleteObject(tile);
        return;
    }
    Gdiplus::Graphics graphics(dc);
    Gdiplus::TextureBrush tiles(m_source->image.get());
    tiles.TranslateTransform(Gdiplus::REAL(area.left), Gdiplus::REAL(area.top));
    graphics.FillRectangle(
        &tiles, Gdiplus::Rect(area.left, area.top, area.right - area.left, area.bottom - area.top));
}

namespace {

// The picture decoded; a PNG or JPEG only when its header declares pixels within the bounds and
// what is left of the document's budget.
std::unique_ptr<Gdiplus::Image> imageOf(const bookformat::RtfPicture& picture, std::int64_t budget)
{
    using Kind = bookformat::RtfPicture::Kind;
    switch (picture.kind) {
    case Kind::Png:
    case Kind::Jpeg: {
        const std::optional<bookformat::PictureSize> size =
            bookformat::DeclaredPictureSize(picture.data);
        if (!size || !bookformat::MayDecodePicture(picture.data) ||
            size->width * size->height > budget)
            return nullptr;
        return fromStream(picture.data);
    }
    case Kind::WindowsMetafile:
        return plainMetafile(picture.data);
    case Kind::EnhancedMetafile: {
        HENHMETAFILE emf = SetEnhMetaFileBits(UINT(picture.data.size()),
                                              reinterpret_cast<const BYTE*>(picture.data.data()));
        return emf ? std::make_unique<Gdiplus::Metafile>(emf, TRUE) : nullptr;
    }
    case Kind::Bitmap:
    case Kind::Other:
        break;
    }
    return nullptr;
}

// Wine's rich-text control looks for a \dibitmap's pixels one colour-table entry (four bytes)
// after the header even where the bitmap has no colour table; Windows looks right after the
// header. Read four bytes late, 24-bit rows shift every colour (red shows as green).
bool pixelsReadLate()
{
    static const bool wine =
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return wine;
}

// The image drawn on white at `width` x `height`, as a packed 24-bit DIB where the rich-text
// control reads it.
std::string packedDib(Gdiplus::Image& image, int width, int height)
{
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height; // bottom row first
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header),
                                      DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (!bitmap)
        return {};
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    {
        Gdiplus::Graphics graphics(dc);
        graphics.Clear(Gdiplus::Color(255, 255, 255));
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        graphics.DrawImage(&image, Gdiplus::Rect(0, 0, width, height));
    }
    GdiFlush();
    const std::size_t rowBytes = (std::size_t(width) * 3 + 3) & ~std::size_t(3);
    std::string packed(reinterpret_cast<const char*>(&header), sizeof header);
    if (pixelsReadLate())
        packed.append(4, '\0');
    packed.append(static_cast<const char*>(bits), rowBytes * std::size_t(height));
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
    return packed;
}

} // namespace

std::optional<bookformat::DibPicture> DrawableRtfPicture(const bookformat::RtfPicture& picture,
                                                         std::int64_t& budget)
{
    std::unique_ptr<Gdiplus::Image> image = imageOf(picture, budget);
    if (!image || !sensible(*image))
        return std::nullopt;
    const std::optional<bookformat::PictureSize> shown = bookformat::ShownPictureSize(
        picture, bookformat::PictureSize{image->GetWidth(), image->GetHeight()});
    if (!shown)
        return std::nullopt;
    const auto width = int(shown->width);
    const auto height = int(shown->height);
    const std::int64_t pixels = std::int64_t(width) * height;
    if (pixels > budget)
        return std::nullopt;
    budget -= pixels;
    std::string packed = packedDib(*image, width, height);
    if (packed.empty())
        return std::nullopt;
    return bookformat::DibPicture{std::move(packed), width, height};
}

} // namespace winreader
