// The help engine over the help viewer window.
#include "platform/help.h"

#include "core/services/messages.h"
#include "platform/helpviewer.h"

#include <QApplication>
#include <QFileInfo>

void ViewerHelpService::setHelpFile(const QString& path)
{
    m_path = path;
}

void ViewerHelpService::showHelp(int context)
{
    // Help asked for in a modal window belongs to it: a window manager keeps it above that window
    // (a top-level of its own would open behind the main window), and the modal window does not
    // block its input. It closes with that window.
    QWidget* const modal = QApplication::activeModalWidget();
    if (m_viewer && m_viewer->parentWidget() != modal)
        m_viewer->setParent(modal, Qt::Window);
    if (!m_viewer) {
        m_viewer = new HelpViewer(modal);
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
