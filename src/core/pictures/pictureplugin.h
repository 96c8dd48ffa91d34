// The pictures plugin: JPEG, metafile and SVG decoding, loaded the first time a picture needs
// one of them.
#pragma once

#include "core/pictures/picturedecoders.h"

// The plugin's decoders; null with a reason when it cannot be loaded.
const PictureDecoders* PictureDecodersPlugin(QString& error);
