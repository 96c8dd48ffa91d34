// The pictures plugin's entry point: the decoders the host's interface names.
#include "core/pictures/picturedecoders.h"
#include "plugins/pictures/jpegdecode.h"
#include "plugins/pictures/svgdraw.h"
#include "plugins/pictures/wmfsvg.h"

extern "C" __attribute__((visibility("default"))) const PictureDecoders* quorelle_picture_decoders()
{
    static const PictureDecoders decoders{DecodeJpeg, DrawWmfAsSvg, DrawSvg};
    return &decoders;
}
