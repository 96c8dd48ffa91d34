// Documents through QDesktopServices.
#include "platform/documents.h"

#include "core/files/projectpath.h"
#include "core/pictures/commandvalue.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

void DesktopDocumentOpener::open(const QString& file)
{
    if (IsWebAddress(file)) {
        QDesktopServices::openUrl(QUrl(file));
        return;
    }
    QDesktopServices::openUrl(
        QUrl::fromLocalFile(QFileInfo(ResolveProjectName(file)).absoluteFilePath()));
}

void OpenDocument(const QString& file)
{
    DocumentSlot::get().open(file);
}
