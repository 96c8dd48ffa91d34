// Documents through QDesktopServices.
#include "platform/documents.h"

#include "core/files/projectpath.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

void DesktopDocumentOpener::open(const QString& file)
{
    const QUrl url = QUrl::fromUserInput(file);
    if (url.isValid() && !url.isLocalFile() && !url.scheme().isEmpty()) {
        QDesktopServices::openUrl(url);
        return;
    }
    QDesktopServices::openUrl(
        QUrl::fromLocalFile(QFileInfo(ResolveProjectName(file)).absoluteFilePath()));
}

void OpenDocument(const QString& file)
{
    DocumentSlot::get().open(file);
}
