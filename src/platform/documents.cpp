// Documents through QDesktopServices.
#include "platform/documents.h"

#include "core/files/projectpath.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

namespace {

// Only a text that names its scheme ("https://...", "mailto:...") is an address on the network;
// everything else, PAGE.HTM included, is a file of the book.
bool isAddress(const QString& text)
{
    static const QRegularExpression address(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+://|^mailto:"),
                                            QRegularExpression::CaseInsensitiveOption);
    return address.match(text).hasMatch();
}

} // namespace

void DesktopDocumentOpener::open(const QString& file)
{
    if (isAddress(file)) {
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
