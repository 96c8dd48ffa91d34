// The pictures plugin, found in this program's own image.
#include "core/pictures/pictureplugin.h"

#include "core/plugins/embeddedplugin.h"

QUORELLE_EMBEDDED_PLUGIN(pictures);

const PictureDecoders* PictureDecodersPlugin(QString& error)
{
    static EmbeddedPlugin plugin("pictures", quorelle_plugin_pictures_begin,
                                 quorelle_plugin_pictures_end);
    const auto entry = plugin.function<const PictureDecoders*()>(kPictureDecodersEntry, error);
    return entry ? entry() : nullptr;
}
