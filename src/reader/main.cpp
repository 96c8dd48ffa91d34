// kestrin.bin: the reader runtime at the front of every executable e-book. It plays the compiled
// book appended to its own file; `--verify` checks the book and prints a summary instead, and
// says which of its plugins cannot be loaded on this system.
#include "core/book/bookarchive.h"
#include "core/files/filestore.h"
#include "core/files/savefile.h"
#include "core/pictures/pictureplugin.h"
#include "core/plugins/plugin.h"
#include "format/book/booklayout.h"
#include "platform/dialogdefaults.h"
#include "platform/f1help.h"
#include "platform/media.h"
#include "platform/qtmessageboxes.h"
#include "preview/bookplayer.h"
#include "preview/mediaactions.h"
#include "reader/bundledlibraries.h"
#include "reader/carriedplugins.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

// The program's own file, mapped rather than read: a large book costs only the pages it shows.
std::unique_ptr<filestore::MappedFile> ownFile()
{
    std::unique_ptr<filestore::MappedFile> self =
        filestore::MappedFile::ofPath(QCoreApplication::applicationFilePath());
    if (!self)
        throw CompiledBookError(QStringLiteral("the program file cannot be read"));
    return self;
}

// What this runtime could not show or play on this system, on the error stream. The book itself
// is sound, so the summary and the exit status stay as they are.
void reportMissingPlugins()
{
    QString error;
    if (!PictureDecodersPlugin(error))
        std::fprintf(stderr, "JPEG and metafile pictures cannot be shown: %s.\n",
                     qUtf8Printable(error));
    if (!QtMedia().load(error))
        std::fprintf(stderr, "%s\n", qUtf8Printable(error));
}

int verify()
{
    try {
        const std::unique_ptr<filestore::MappedFile> self = ownFile();
        // The tables are checked as the book is opened. Every chapter text can be shown: text
        // that is not rich text (or none at all) is shown as plain text, so none is refused.
        const CompiledBook book = BookAfterImage(self->sharedBytes());
        std::printf("%s", bookformat::BookCheckReport(book.formatBook()).c_str());
        reportMissingPlugins();
        return 0;
    } catch (const RunTimeError& error) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(error.message()));
        return 1;
    } catch (const bookformat::FormatError& error) {
        // The summary reads the HyperText block's index, which is checked as it is first used.
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}

int play()
{
    QtMessageBoxes messageBoxes;
    const ScopedService<MessageSlot, MessageBoxes> messagesInstalled(messageBoxes);
    try {
        const std::unique_ptr<filestore::MappedFile> self = ownFile();
        CompiledBookSource source(BookAfterImage(self->sharedBytes()));
        // Media files lie beside the executable after a distribution.
        QDir::setCurrent(QCoreApplication::applicationDirPath());
        const QString mediaPrompt = source.project().Presentation.Captions.MediaPrompt.text();
        BookMediaActions media(mediaPrompt);
        const ScopedService<MediaSlot, MediaActions> mediaInstalled(media);
        const PreviewContext context{source, QString()};
        PlayBook(context, nullptr);
        return 0;
    } catch (const RunTimeError& error) {
        ShowError(error.message());
        return 1;
    }
}

// --startup-report: for the benchmarks, prints the time from the start of main() until the
// first reader screen of `screenClass` is painted, and the peak resident memory, then ends.
class StartupReport : public QObject
{
public:
    explicit StartupReport(const char* screenClass) : m_screenClass(screenClass)
    {
        m_clock.start();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            QByteArray(watched->metaObject()->className()) == m_screenClass) {
            std::printf("painted %s after %.1f ms, peak resident %ld KB\n",
                        m_screenClass.constData(), m_clock.nsecsElapsed() / 1e6, peakResidentKb());
            std::fflush(stdout);
            std::_Exit(0);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static long peakResidentKb()
    {
        QFile status(QStringLiteral("/proc/self/status"));
        if (!status.open(QIODevice::ReadOnly))
            return -1;
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("VmHWM:"))
                return line.mid(6).trimmed().split(' ').first().toLong();
        }
        return -1;
    }

    QByteArray m_screenClass;
    QElapsedTimer m_clock;
};

} // namespace

int main(int argc, char* argv[])
{
    filestore::FailWritesPastSizeLimit();
    LoadPluginsFrom(LoadCarriedPlugin);
    UseBundledLibraries(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath());
    std::optional<StartupReport> report;
    for (int i = 1; i < argc; ++i) {
        if (QByteArray(argv[i]) == "--startup-report")
            report.emplace("TBookMenuForm");
    }
    for (int i = 1; i < argc; ++i) {
        if (QByteArray(argv[i]) == "--verify") {
            QCoreApplication app(argc, argv);
            return verify();
        }
    }
    QApplication app(argc, argv);
    if (report)
        app.installEventFilter(&*report);
    QApplication::setApplicationName(QStringLiteral("E-Book"));
    InstallF1Help(app);
    InstallDialogDefaults(app);
    return play();
}
