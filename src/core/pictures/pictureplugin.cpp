#include "core/pictures/pictureplugin.h"

#include "core/plugins/plugin.h"

const PictureDecoders* PictureDecodersPlugin(QString& error)
{
    static Plugin plugin("pictures");
    const auto entry = plugin.function<const PictureDecoders*()>(kPictureDecodersEntry, error);
    return entry ? entry() : nullptr;
}
