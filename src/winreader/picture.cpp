#include "winreader/picture.h"

#include "format/reader/picturefile.h"
#include "winreader/files.h"
#include "winreader/wintext.h"

#include <cstdlib>
#include <cstring>

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
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, scaledTo(dc, size));
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
    m_scaled->bitmap = CreateCompatibleBitmap(dc, size.cx, size.cy);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, m_scaled->bitmap);
    SetStretchBltMode(memory, HALFTONE);
    SetBrushOrgEx(memory, 0, 0, nullptr);
    stretchInto(memory, size);
    SelectObject(memory, old);
    DeleteDC(memory);
    return m_scaled->bitmap;
}

// GDI's own scaling, from the picture's pixels only: it reads nothing beyond the picture's
// edges, and is quicker than GDI+'s.
void Picture::stretchInto(HDC memory, SIZE size) const
{
    if (m_plain) {
        const auto* info =
            reinterpret_cast<const BITMAPINFO*>(m_bytes.data() + m_plain->infoOffset);
        StretchDIBits(memory, 0, 0, size.cx, size.cy, 0, 0, m_plain->width,
                      std::abs(m_plain->height), m_bytes.data() + m_plain->bitsOffset, info,
                      DIB_RGB_COLORS, SRCCOPY);
        return;
    }
    HBITMAP source = nullptr;
    auto* bitmap = static_cast<Gdiplus::Bitmap*>(m_image.get());
    if (bitmap->GetHBITMAP(Gdiplus::Color(255, 255, 255), &source) != Gdiplus::Ok)
        return;
    HDC from = CreateCompatibleDC(memory);
    HGDIOBJ oldSource = SelectObject(from, source);
    StretchBlt(memory, 0, 0, size.cx, size.cy, from, 0, 0, int(m_image->GetWidth()),
               int(m_image->GetHeight()), SRCCOPY);
    SelectObject(from, oldSource);
    DeleteDC(from);
    DeleteObject(source);
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
