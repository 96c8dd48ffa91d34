// The pictures plugin, found in this program's own image.
#include "core/pictures/pictureplugin.h"

#include "core/plugins/embeddedplugin.h"

QUORELLE_EMBEDDED_PLUGIN(pictures);

const PictureDecoders* PictureDecodersPlugin(QString& error)
{
    static EmbeddedPlugin plugin("pictures", quorelle_plugin_pictures_begin,
                                 quorelle_plugin_pictures_end);
    using Entry = const PictureDecoders* (*)();
    const auto entry = reinterpret_cast<Entry>(plugin.entry(kPictureDecodersEntry, error));
    return entry ? entry() : nullptr;
}
