#include "format/rtf/rtfpictures.h"

#include "format/rtf/rtftokens.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace bookformat {

namespace {

void applyWord(RtfPicture& picture, std::string_view word, int param)
{
    using Kind = RtfPicture::Kind;
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

// Reads the picture group that opens at `start` ("{\pict"); the position after its closing
// brace, or npos when the text ends inside it.
std::size_t readGroup(std::string_view rtf, std::size_t start, RtfPicture& picture)
{
    int depth = 0;
    int nibble = -1;
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
                applyWord(picture, token.word,
                          int(std::clamp<std::int64_t>(token.param, INT32_MIN, INT32_MAX)));
            break;
        case RtfToken::Kind::Binary:
            if (token.data.size() < std::size_t(token.param))
                return std::string_view::npos;
            if (depth == 1)
                picture.data.append(token.data);
            break;
        case RtfToken::Kind::Text:
            for (const char c : token.data) {
                const int value = RtfHexDigit(c);
                if (depth != 1 || value < 0)
                    continue;
                if (nibble < 0) {
                    nibble = value;
                } else {
                    picture.data += char(nibble * 16 + value);
                    nibble = -1;
                }
            }
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

int shown(int goal, int scale, int own, bool metafile)
{
    if (goal > 0)
        return int(std::int64_t(goal) * (scale > 0 ? scale : 100) / 100 / 15);
    if (own <= 0)
        return 0;
    return metafile ? int(std::int64_t(own) * 96 / 2540) : own;
}

bool isMetafile(const RtfPicture& picture)
{
    return picture.kind == RtfPicture::Kind::WindowsMetafile ||
           picture.kind == RtfPicture::Kind::EnhancedMetafile;
}

} // namespace

int ShownWidth(const RtfPicture& picture)
{
    return shown(picture.widthGoal, picture.scaleX, picture.width, isMetafile(picture));
}

int ShownHeight(const RtfPicture& picture)
{
    return shown(picture.heightGoal, picture.scaleY, picture.height, isMetafile(picture));
}

std::string ReplaceRtfPictures(std::string_view rtf, const PictureConverter& convert)
{
    std::string out;
    std::size_t copied = 0;
    for (std::size_t at = rtf.find("{\\pict"); at != std::string_view::npos;
         at = rtf.find("{\\pict", at + 1)) {
        if (at < copied || !opensPicture(rtf, at))
            continue;
        RtfPicture picture;
        const std::size_t end = readGroup(rtf, at, picture);
        if (end == std::string_view::npos)
            break;
        const std::optional<DibPicture> dib = convert(picture);
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
