// Settling the program configuration's icon and help file.
#include "core/project/programconfig.h"

void SettleIconAndHelpFile(ConfigRecord& config)
{
    if (config.IconFile.text().isEmpty())
        config.UseIcon = 0;
    if (config.UseIcon == 0)
        config.IconFile.setText(QString());

    if (config.HelpFile.text().isEmpty()) {
        config.UseHelpFile = 0;
        config.HelpTopic = 0;
    }
    if (config.HelpTopic < 1) {
        config.UseHelpFile = 0;
        config.HelpFile.setText(QString());
    }
    if (config.UseHelpFile == 0) {
        config.HelpFile.setText(QString());
        config.HelpTopic = 0;
    }
}
