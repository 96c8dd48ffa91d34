// Pictures of the book's folder drawn through GDI+: BMP, ICO, JPEG and metafiles (placeable, or
// plain as RTF holds them), bounded as the format library says.
#pragma once

#include "format/reader/picturefile.h"
#include "format/rtf/rtfpictures.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>
#include <windows.h>

namespace Gdiplus {
class Image;
}

namespace winreader {

// GDI+ for the length of the program.
class GdiPlusSession
{
public:
    GdiPlusSession();
    ~GdiPlusSession();
    GdiPlusSession(const GdiPlusSession&) = delete;
    GdiPlusSession& operator=(const GdiPlusSession&) = delete;

private:
    ULONG_PTR m_token = 0;
};

class Picture
{
public:
    Picture();
    ~Picture();
    Picture(Picture&&) noexcept;
    Picture& operator=(Picture&&) noexcept;

    // The picture of a file of the book's folder (a UTF-8 name); a null picture and the reader's
    // message in `error` when it cannot be opened or read.
    static Picture load(const std::string& file, std::string& error);

    bool isNull() const { return !m_source; }
    // Stretched over the area: a picture without transparency is scaled once to the area's
    // size (bookformat::StretchPixels: from its own pixels only, so no dark fringe creeps in
    // from outside it) and kept, so that a repaint only copies it; a metafile or a picture with
    // transparency is drawn over what lies below each time. A plain BMP file is read from its
    // own bytes, without GDI+ and the codecs it loads.
    void drawStretched(HDC dc, const RECT& area) const;
    // Starts scaling the picture to the size of a paint to come on another thread, while the
    // caller makes its window; that paint then waits for it.
    void prepareStretched(SIZE size) const;
    void drawTiled(HDC dc, const RECT& area) const;

    struct Source;

private:
    struct Scaled;

    static std::shared_ptr<const Source> read(const std::string& file, std::string& error);
    std::vector<std::uint32_t> decodedPixels() const;
    // The picture at `size`, made once and kept for the next paint at that size.
    const std::vector<std::uint32_t>& scaledPixels(SIZE size) const;

    std::shared_ptr<const Source> m_source;
    mutable std::unique_ptr<Scaled> m_scaled;
};

// A picture of rich text drawn as a bitmap at the size it is shown, for a rich-text control that
// draws no other kind; nothing for a picture that is a bitmap already, of no kind GDI+ reads, or
// damaged. It is shown at the size every runtime shows it (bookformat::ShownPictureSize); one
// that would take more than the pixels left of the document's `budget` is not drawn, and the
// budget is reduced by what is.
std::optional<bookformat::DibPicture> DrawableRtfPicture(const bookformat::RtfPicture& picture,
                                                         std::int64_t& budget);

} // namespace winreader
