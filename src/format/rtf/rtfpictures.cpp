#include "format/rtf/rtfpictures.h"

#include "format/rtf/rtftokens.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace bookformat {

namespace {

// Reads the picture group that opens at `start` ("{\pict"); the position after its closing
// brace, or npos when the text ends inside it.
std::size_t readGroup(std::string_view rtf, std::size_t start, RtfPictureReader& picture)
{
    int depth = 0;
    RtfTokenizer tokens(rtf, start);
    RtfToken token;
    while (tokens.next(token)) {
        switch (token.kind) {
        case RtfToken::Kind::GroupStart:
            ++depth;
            break;
        case RtfToken::Kind::GroupEnd:
            if (--depth == 0)
                return token.end;
            break;
        case RtfToken::Kind::Word:
            if (depth == 1)
                picture.word(token.word,
                             int(std::clamp<std::int64_t>(token.param, INT32_MIN, INT32_MAX)));
            break;
        case RtfToken::Kind::Binary:
            if (token.data.size() < std::size_t(token.param))
                return std::string_view::npos;
            if (depth == 1)
                picture.binary(token.data);
            break;
        case RtfToken::Kind::Text:
            if (depth == 1)
                picture.hexText(token.data);
            break;
        default:
            break;
        }
    }
    return std::string_view::npos;
}

void appendDibGroup(std::string& out, const DibPicture& dib)
{
    char header[160];
    std::snprintf(header, sizeof header,
                  "{\\pict\\dibitmap0\\picw%d\\pich%d\\picwgoal%d\\pichgoal%d\n", dib.width,
                  dib.height, dib.width * 15, dib.height * 15);
    out += header;
    static constexpr char kDigits[] = "0123456789abcdef";
    for (std::size_t i = 0; i < dib.packed.size(); ++i) {
        const auto byte = static_cast<unsigned char>(dib.packed[i]);
        out += kDigits[byte >> 4];
        out += kDigits[byte & 15];
        if (i % 64 == 63)
            out += '\n';
    }
    out += '}';
}

bool opensPicture(std::string_view rtf, std::size_t at)
{
    return rtf.compare(at, 6, "{\\pict") == 0 &&
           (at + 6 >= rtf.size() || !IsRtfLetter(rtf[at + 6]));
}

bool isMetafile(const RtfPicture& picture)
{
    return picture.kind == RtfPicture::Kind::WindowsMetafile ||
           picture.kind == RtfPicture::Kind::EnhancedMetafile;
}

// One side before the bound: 0 when it is told neither way.
std::int64_t shownSide(int goal, int scale, int own, std::int64_t decoded, bool metafile)
{
    const std::int64_t percent = scale > 0 ? scale : 100;
    std::int64_t side = 0;
    if (goal > 0)
        side = goal * percent / 100 / 15; // twips
    else if (decoded > 0)
        side = decoded * percent / 100;
    else if (own > 0)
        side = (metafile ? std::int64_t(own) * 96 / 2540 : own) * percent / 100;
    else
        return 0;
    return std::max<std::int64_t>(1, side);
}

} // namespace

void RtfPictureReader::word(std::string_view word, int param)
{
    using Kind = RtfPicture::Kind;
    RtfPicture& picture = m_picture;
    if (word == "pngblip")
        picture.kind = Kind::Png;
    else if (word == "jpegblip")
        picture.kind = Kind::Jpeg;
    else if (word == "wmetafile")
        picture.kind = Kind::WindowsMetafile;
    else if (word == "emfblip")
        picture.kind = Kind::EnhancedMetafile;
    else if (word == "dibitmap" || word == "wbitmap")
        picture.kind = Kind::Bitmap;
    else if (word == "picw")
        picture.width = param;
    else if (word == "pich")
        picture.height = param;
    else if (word == "picwgoal")
        picture.widthGoal = param;
    else if (word == "pichgoal")
        picture.heightGoal = param;
    else if (word == "picscalex")
        picture.scaleX = param;
    else if (word == "picscaley")
        picture.scaleY = param;
}

void RtfPictureReader::hexText(std::string_view text)
{
    for (const char c : text) {
        const int value = RtfHexDigit(c);
        if (value < 0)
            continue;
        if (m_nibble < 0) {
            m_nibble = value;
        } else {
            m_picture.data += char(m_nibble * 16 + value);
            m_nibble = -1;
        }
    }
}

std::optional<PictureSize> ShownPictureSize(const RtfPicture& picture,
                                            std::optional<PictureSize> decoded)
{
    const bool metafile = isMetafile(picture);
    const PictureSize own = decoded && !metafile ? *decoded : PictureSize{};
    std::int64_t width =
        shownSide(picture.widthGoal, picture.scaleX, picture.width, own.width, metafile);
    std::int64_t height =
        shownSide(picture.heightGoal, picture.scaleY, picture.height, own.height, metafile);
    if (width <= 0 || height <= 0)
        return std::nullopt;
    const std::int64_t longest = std::max(width, height);
    if (longest > kMaxPictureSide) {
        width = std::max<std::int64_t>(1, width * kMaxPictureSide / longest);
        height = std::max<std::int64_t>(1, height * kMaxPictureSide / longest);
    }
    return PictureSize{width, height};
}

std::string ReplaceRtfPictures(std::string_view rtf, const PictureConverter& convert)
{
    std::string out;
    std::size_t copied = 0;
    for (std::size_t at = rtf.find("{\\pict"); at != std::string_view::npos;
         at = rtf.find("{\\pict", at + 1)) {
        if (at < copied || !opensPicture(rtf, at))
            continue;
        RtfPictureReader picture;
        const std::size_t end = readGroup(rtf, at, picture);
        if (end == std::string_view::npos)
            break;
        const std::optional<DibPicture> dib = convert(picture.picture());
        if (!dib)
            continue;
        if (out.empty())
            out.reserve(rtf.size());
        out.append(rtf.substr(copied, at - copied));
        appendDibGroup(out, *dib);
        copied = end;
    }
    if (copied == 0)
        return std::string(rtf);
    out.append(rtf.substr(copied));
    return out;
}

} // namespace bookformat
