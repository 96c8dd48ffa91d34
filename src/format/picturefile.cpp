#include "format/picturefile.h"

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
