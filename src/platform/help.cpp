// The help engine over the help viewer window.
#include "platform/help.h"

#include "core/services/messages.h"
#include "platform/helpviewer.h"

#include <QFileInfo>

void ViewerHelpService::setHelpFile(const QString& path)
{
    m_path = path;
}

void ViewerHelpService::showHelp(int context)
{
    if (!m_viewer) {
        m_viewer = new HelpViewer;
        m_viewer->setAttribute(Qt::WA_DeleteOnClose);
    }
    if (!m_viewer->loadFile(m_path)) {
        ShowError(QStringLiteral("The help file %1 was not found").arg(m_path));
        return;
    }
    m_viewer->showTopic(context);
    m_viewer->show();
    m_viewer->raise();
    m_viewer->activateWindow();
}

void SetHelpFile(const QString& path)
{
    HelpSlot::get().setHelpFile(path);
}

QString CurrentHelpFile()
{
    return HelpSlot::get().helpFile();
}

void ShowHelp(int context)
{
    HelpSlot::get().showHelp(context);
}
