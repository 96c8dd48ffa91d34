// Windows metafiles played through libwmf's SVG device.
#include "plugins/pictures/wmfsvg.h"

#include <cstring>
#include <libwmf/api.h>
#include <libwmf/svg.h>
#include <vector>

bool DrawWmfAsSvg(const unsigned char* data, long size, const std::string& fontFolder,
                  std::string& svg, std::string& error)
{
    wmfAPI* api = nullptr;
    wmfAPI_Options options;
    std::memset(&options, 0, sizeof options);
    options.function = wmf_svg_function;
    unsigned long flags =
        WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    std::string folder = fontFolder; // libwmf takes the folders as writable strings
    char* fontDirs[] = {folder.data(), nullptr};
    if (!folder.empty()) {
        options.fontdirs = fontDirs;
        flags |= WMF_OPT_FONTDIRS;
    }
    if (wmf_api_create(&api, flags, &options) != wmf_E_None) {
        if (api)
            wmf_api_destroy(api);
        error = "the metafile library could not start";
        return false;
    }
    // libwmf reads from a buffer it may not change, but its signature is not const.
    std::vector<unsigned char> copy(data, data + size);
    wmfD_Rect bbox;
    bool ok =
        wmf_mem_open(api, copy.data(), size) == wmf_E_None && wmf_scan(api, 0, &bbox) == wmf_E_None;
    if (ok) {
        wmf_svg_t* device = WMF_SVG_GetData(api);
        device->out = wmf_stream_create(api, nullptr);
        device->Description = const_cast<char*>("");
        device->bbox = bbox;
        unsigned int width = 0;
        unsigned int height = 0;
        wmf_display_size(api, &width, &height, 96, 96);
        device->width = width > 0 ? width : 100;
        device->height = height > 0 ? height : 100;
        device->flags |= WMF_SVG_INLINE_IMAGES;
        ok = wmf_play(api, 0, &bbox) == wmf_E_None;
        char* buffer = nullptr;
        unsigned long length = 0;
        wmf_stream_destroy(api, device->out, &buffer, &length);
        if (ok && buffer)
            svg.assign(buffer, length);
        ok = ok && !svg.empty();
    }
    wmf_api_destroy(api);
    if (!ok)
        error = "the metafile could not be read";
    return ok;
}
