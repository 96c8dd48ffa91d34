#include "winreader/bookscreen.h"

#include "winreader/aboutbox.h"
#include "winreader/bookhelp.h"

namespace winreader {

void BookScreen::addAboutItem()
{
    if (m_project.Presentation.AboutShown)
        addMenuItem(kMenuAbout, m_project.Presentation.Captions.AboutCaption.utf8());
}

void BookScreen::addHelpItem()
{
    if (m_project.Config.UseHelpFile)
        addMenuItem(kMenuHelp, m_project.Presentation.Captions.HelpCaption.utf8());
}

void BookScreen::command(int id, int code)
{
    switch (id) {
    case kMenuAbout:
        ShowAboutBox(m_project.Presentation.About, handle());
        break;
    case kMenuHelp:
        ShowBookHelp(m_project.Config, handle());
        break;
    case kMenuClose:
        close();
        break;
    default:
        ReaderScreen::command(id, code);
        break;
    }
}

} // namespace winreader
