// Documents through the desktop's opener (xdg-open), watched until it has done its part.
#include "platform/documents.h"

#include "core/files/projectpath.h"
#include "core/pictures/commandvalue.h"
#include "core/services/messages.h"
#include "format/reader/linkaction.h"

#include <QFileInfo>
#include <QProcess>
#include <QTimer>

namespace {

// How long the opener may take to say it failed: one still running by then has handed the
// document to its program (a browser started in the foreground keeps it running).
constexpr int kOpenerVerdictMs = 10000;

void tellNotOpened(const QString& file)
{
    ShowError(QString::fromStdString(bookformat::NotOpenedMessage(file.toStdString())));
}

} // namespace

void DesktopDocumentOpener::open(const QString& file)
{
    QString target = file;
    if (!IsWebAddress(file)) {
        const QFileInfo local(ResolveProjectName(file));
        if (!local.exists()) {
            ShowError(QString::fromStdString(bookformat::FileMissingMessage(file.toStdString())));
            return;
        }
        target = local.absoluteFilePath();
    }
    // Owned by nobody: the program's end must not end the viewer the opener started. It is
    // deleted when it ends.
    auto* opener = new QProcess;
    auto* verdictDue = new QTimer(opener);
    verdictDue->setSingleShot(true);
    QObject::connect(opener, &QProcess::errorOccurred, opener,
                     [opener, file](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         tellNotOpened(file);
                         opener->deleteLater();
                     });
    QObject::connect(opener, &QProcess::finished, opener,
                     [opener, verdictDue, file](int code, QProcess::ExitStatus status) {
                         if (verdictDue->isActive() &&
                             (status != QProcess::NormalExit || code != 0))
                             tellNotOpened(file);
                         opener->deleteLater();
                     });
    opener->setProcessChannelMode(QProcess::ForwardedChannels);
    verdictDue->start(kOpenerVerdictMs);
    opener->start(QStringLiteral("xdg-open"), {target});
}

void OpenDocument(const QString& file)
{
    DocumentSlot::get().open(file);
}
