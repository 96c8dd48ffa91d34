#include "format/reader/background.h"

#include "format/reader/bookfiles.h"
#include "format/records/storedcodes.h"
#include "format/text/casefolding.h"

namespace bookformat {

BackgroundPlan PlanBackground(const Background& background, const BookFileCheck& isBookFile)
{
    if (IsBackground(background.type, BackgroundType::Colour))
        return {BackgroundLook::Colour, {}, {}};
    const bool picture = IsBackground(background.type, BackgroundType::Picture);
    const bool tiles = IsBackground(background.type, BackgroundType::Wallpaper);
    if (!picture && !tiles)
        return {BackgroundLook::Own, {}, {}};
    const std::string& file = picture ? background.graphicFile : background.wallpaperFile;
    const std::string upper = AsciiUpper(file);
    if (tiles && upper.size() >= 4 && upper.compare(upper.size() - 4, 4, ".JPG") == 0)
        return {BackgroundLook::Refused, file,
                "Wallpaper must be a .BMP file.\n\r\n\rReplace " + file + " with a .BMP Graphic."};
    BackgroundPlan plan{picture ? BackgroundLook::Picture : BackgroundLook::Tiles, file, {}};
    if (!file.empty() && !(isBookFile ? isBookFile(file) : IsBareFileName(file)))
        plan.message = NotABookFileMessage("The screen's background", file);
    return plan;
}

std::string MissingPictureMessage(const BackgroundPlan& plan)
{
    const char* kind = plan.look == BackgroundLook::Tiles ? "Wallpaper" : "graphic";
    return std::string("The ") + kind + " file " + plan.file + " was not found";
}

} // namespace bookformat
