#include "winreader/picture.h"

#include "format/reader/picturefile.h"
#include "format/reader/picturestretch.h"
#include "winreader/files.h"
#include "winreader/wintext.h"

#include <cstdlib>
#include <cstring>
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

// A bitmap of 32-bit pixels, rows top first, whose pixels the program reads and writes.
struct Pixels
{
    HBITMAP bitmap = nullptr;
    std::uint32_t* bits = nullptr;

    Pixels(HDC dc, SIZE size)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = size.cx;
        info.bmiHeader.biHeight = -size.cy;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* memory = nullptr;
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
        bits = bitmap ? static_cast<std::uint32_t*>(memory) : nullptr;
    }
    ~Pixels()
    {
        if (bitmap)
            DeleteObject(bitmap);
    }
    Pixels(const Pixels&) = delete;
    Pixels& operator=(const Pixels&) = delete;
    HBITMAP release() { return std::exchange(bitmap, nullptr); }
};

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

Picture::Picture() = default;
Picture::~Picture() = default;
Picture::Picture(Picture&&) noexcept = default;
Picture& Picture::operator=(Picture&&) noexcept = default;

Picture Picture::load(const std::string& file, std::string& error)
{
    Picture picture;
    std::string bytes;
    if (!ReadWholeFile(Wide(file), bookformat::kMaxPictureFile, bytes)) {
        error = bookformat::PictureNotOpenedMessage(fileNameOf(file));
        return picture;
    }
    // Bounded by what its header declares, before GDI+ decodes a pixel of it.
    if (!bookformat::MayDecodePicture(bytes)) {
        error = bookformat::PictureDamagedMessage(fileNameOf(file));
        return picture;
    }
    picture.m_plain = bookformat::PlainBitmapOf(bytes);
    if (picture.m_plain) {
        picture.m_bytes = std::move(bytes);
        return picture;
    }
    const bool plain = bookformat::SniffPicture(bytes) == bookformat::PictureKind::Metafile &&
                       bytes.compare(0, 4, "\xD7\xCD\xC6\x9A") != 0;
    picture.m_image = plain ? plainMetafile(bytes) : fromStream(bytes);
    if (!picture.m_image || !sensible(*picture.m_image)) {
        picture.m_image.reset();
        error = bookformat::PictureDamagedMessage(fileNameOf(file));
    }
    return picture;
}

Picture::Scaled::~Scaled()
{
    if (bitmap)
        DeleteObject(bitmap);
}

void Picture::drawStretched(HDC dc, const RECT& area) const
{
    const SIZE size{area.right - area.left, area.bottom - area.top};
    if (size.cx <= 0 || size.cy <= 0)
        return;
    if (m_image && (m_image->GetType() == Gdiplus::ImageTypeMetafile ||
                    Gdiplus::IsAlphaPixelFormat(m_image->GetPixelFormat()))) {
        // Drawn over what lies below, where the metafile or an icon draws nothing.
        Gdiplus::Graphics graphics(dc);
        graphics.DrawImage(m_image.get(), Gdiplus::Rect(area.left, area.top, size.cx, size.cy));
        return;
    }
    HBITMAP scaled = scaledTo(dc, size);
    if (!scaled)
        return;
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, scaled);
    BitBlt(dc, area.left, area.top, size.cx, size.cy, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

HBITMAP Picture::scaledTo(HDC dc, SIZE size) const
{
    if (m_scaled && m_scaled->size.cx == size.cx && m_scaled->size.cy == size.cy)
        return m_scaled->bitmap;
    m_scaled = std::make_unique<Scaled>();
    m_scaled->size = size;
    const SIZE own = m_plain ? SIZE{m_plain->width, std::abs(m_plain->height)}
                             : SIZE{LONG(m_image->GetWidth()), LONG(m_image->GetHeight())};
    Pixels source(dc, own);
    if (!source.bits || !copyOwnPixels(source.bitmap, own))
        return nullptr;
    if (own.cx == size.cx && own.cy == size.cy) {
        m_scaled->bitmap = source.release();
        return m_scaled->bitmap;
    }
    Pixels scaled(dc, size);
    if (!scaled.bits)
        return nullptr;
    bookformat::StretchPixels(source.bits, own.cx, own.cy, scaled.bits, size.cx, size.cy);
    m_scaled->bitmap = scaled.release();
    return m_scaled->bitmap;
}

// The picture at its own size, as GDI converts it: a plain bitmap from its bytes, another
// flattened on white.
bool Picture::copyOwnPixels(HBITMAP into, SIZE own) const
{
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, into);
    bool copied = false;
    if (m_plain) {
        const auto* info =
            reinterpret_cast<const BITMAPINFO*>(m_bytes.data() + m_plain->infoOffset);
        copied =
            SetDIBitsToDevice(memory, 0, 0, DWORD(own.cx), DWORD(own.cy), 0, 0, 0, UINT(own.cy),
                              m_bytes.data() + m_plain->bitsOffset, info, DIB_RGB_COLORS) != 0;
    } else if (HBITMAP source = nullptr;
               static_cast<Gdiplus::Bitmap*>(m_image.get())
                   ->GetHBITMAP(Gdiplus::Color(255, 255, 255), &source) == Gdiplus::Ok) {
        HDC from = CreateCompatibleDC(memory);
        HGDIOBJ oldSource = SelectObject(from, source);
        copied = BitBlt(memory, 0, 0, own.cx, own.cy, from, 0, 0, SRCCOPY) != 0;
        SelectObject(from, oldSource);
        DeleteDC(from);
        DeleteObject(source);
    }
    // GDI may batch its drawing: the pixels are read straight from memory next.
    GdiFlush();
    SelectObject(memory, old);
    DeleteDC(memory);
    return copied;
}

void Picture::drawTiled(HDC dc, const RECT& area) const
{
    if (m_plain) {
        // The first tile lies in the area's corner, below a title bar, not in the window's.
        HBRUSH tiles =
            CreatePatternBrush(scaledTo(dc, SIZE{m_plain->width, std::abs(m_plain->height)}));
        POINT oldOrigin{};
        SetBrushOrgEx(dc, area.left, area.top, &oldOrigin);
        FillRect(dc, &area, tiles);
        SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
        DeleteObject(tiles);
        return;
    }
    Gdiplus::Graphics graphics(dc);
    Gdiplus::TextureBrush tiles(m_image.get());
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
