// Times MakeExecutable on a generated book of 1,000 chapters (about 200 MB of chapter text) and
// 10,000 HyperText entries against a plain copy of the same bytes and against the export of the
// same book as an EPUB, and the reader runtime's opening of that book to its table of contents:
// time and resident memory. Then opens two-chapter books of 10, 1,000 and 100,000 HyperText
// entries the same way, looks one link up, and starts each as a real kestrin process until its
// table of contents is painted; and the same book for Windows readers under Wine. --linux and
// --windows time one reader's opening alone; --both-readers compares the batch builder's peak
// memory making a book for both readers with making it for one.
#include "benchtiming.h"

#include "core/book/bookarchive.h"
#include "core/book/executable.h"
#include "core/epub/epubexport.h"
#include "core/files/filenames.h"
#include "core/files/filestore.h"
#include "core/project/openproject.h"
#include "core/project/projectfiles.h"
#include "core/sections/hypertext.h"
#include "preview/bookmenuform.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

long residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

void makeBook(WorkingState& state, const QString& projectFile, int chapters, int entryCount,
              qsizetype chapterBytes)
{
    state.ProgramDir = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    state.ProjectFile = projectFile;
    OpenProject(state);
    const QByteArray paragraph =
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times New Roman;}}\\f0\\fs24 " +
        QByteArray(chapterBytes, 'a') + "\\par}";
    QByteArray list;
    for (int i = 0; i < chapters; ++i) {
        const QString file = QStringLiteral("CH%1.QLF").arg(i, 4, 10, QLatin1Char('0'));
        filestore::writeAll(file, paragraph);
        ChapterRecord chapter{};
        chapter.MenuEntry.setText(QStringLiteral("Chapter %1").arg(i + 1));
        chapter.ChapterFile.setText(file);
        chapter.DisplayFile.setText(BaseName(projectFile) + QStringLiteral(".QVD"));
        list.append(filestore::bytesOf(chapter));
    }
    filestore::writeAll(state.ChapterListFile, list);
    QByteArray entries;
    for (int i = 0; i < entryCount; ++i)
        entries += "[Phrase " + QByteArray::number(i) +
                   "]\r\nsource=HYPER\r\ntype=2\r\ncommand=PIC" + QByteArray::number(i) +
                   ".BMP,30\r\n]\r\n\r\n";
    filestore::writeAll(state.HyperTextFile, entries);
}

struct Opened
{
    double milliseconds;
    long residentKb;
};

// Opens the executable's book as the runtime does, to its table of contents painted.
Opened openToContents(const QString& exe, std::optional<CompiledBookSource>& keep)
{
    const long before = residentKb();
    QElapsedTimer timer;
    timer.start();
    auto* self = new QFile(exe); // kept mapped for the life of the bench, as the runtime keeps it
    self->open(QIODevice::ReadOnly);
    const uchar* mapped = self->map(0, self->size());
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(mapped), self->size());
    keep.emplace(BookAfterImage(bytes));
    const PreviewContext context{*keep, QString()};
    TBookMenuForm contents(context, keep->menuEntries());
    contents.show();
    QApplication::processEvents();
    return {timer.nsecsElapsed() / 1e6, residentKb() - before};
}

// Starts the executable as a reader would (offscreen) until its table of contents is painted.
QByteArray startupReport(const QString& exe)
{
    QProcess book;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    book.setProcessEnvironment(environment);
    book.start(QDir::current().filePath(exe), {QStringLiteral("--startup-report")});
    if (!book.waitForFinished(30000))
        return "did not paint its table of contents";
    return book.readAllStandardOutput().trimmed();
}

// The whole process, from its start until it ends at its first painted window.
double wholeStart(const QString& program, const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    process.waitForFinished(30000);
    return timer.nsecsElapsed() / 1e6;
}

// The reader's start to its painted table of contents against a plain Qt window's start to its
// painted line, both whole processes started the same way, in turns.
void startAgainstPlainWindow(const QString& exe)
{
    const QString plain = QCoreApplication::applicationDirPath() + QStringLiteral("/plainwindow");
    std::vector<double> reader;
    std::vector<double> window;
    for (int turn = 0; turn < 9; ++turn) {
        reader.push_back(
            wholeStart(QDir::current().filePath(exe), {QStringLiteral("--startup-report")}));
        window.push_back(wholeStart(plain, {}));
    }
    std::sort(reader.begin(), reader.end());
    std::sort(window.begin(), window.end());
    const double ratio = reader[4] / window[4];
    std::printf("reader start %.1f ms, plain window %.1f ms (medians of 9 turns): %.2f x (target "
                "1.3) %s\n",
                reader[4], window[4], ratio, ratio <= 1.3 ? "ok" : "MISSED");
}

void openByEntries(QTemporaryDir& dir)
{
    std::printf("\nopening by HyperText entries (two chapters of 2 KB):\n");
    for (int entries : {10, 1000, 100000}) {
        const QString folder = dir.filePath(QStringLiteral("E%1").arg(entries));
        QDir().mkpath(folder);
        QDir::setCurrent(folder);
        WorkingState state;
        makeBook(state, QStringLiteral("E.QVJ"), 2, entries, 2048);
        if (!MakeExecutable(state))
            return;
        if (entries == 10)
            startAgainstPlainWindow(QStringLiteral("E.EXE"));
        std::optional<CompiledBookSource> book;
        const Opened opened = openToContents(QStringLiteral("E.EXE"), book);
        QElapsedTimer timer;
        timer.start();
        QStringList lines;
        book->hyperEntry(QStringLiteral("Phrase %1").arg(entries / 2), lines);
        const double lookup = timer.nsecsElapsed() / 1e6;
        std::printf("%7d entries: %9.1f KB executable, to the table of contents %6.1f ms, "
                    "resident +%6.1f MB; first lookup %6.1f ms\n",
                    entries, QFileInfo(QStringLiteral("E.EXE")).size() / 1024.0,
                    opened.milliseconds, opened.residentKb / 1024.0, lookup);
        // The best of three starts of the real runtime process.
        for (int run = 0; run < 3; ++run)
            std::printf("        kestrin process: %s\n",
                        startupReport(QStringLiteral("E.EXE")).constData());
    }
}

// An X display of the bench's own for Wine (Xvfb picks a free number).
class VirtualDisplay
{
public:
    VirtualDisplay()
    {
        m_server.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"),
                                                QStringLiteral("-screen"), QStringLiteral("0"),
                                                QStringLiteral("1024x768x24")});
        if (m_server.waitForReadyRead(20000))
            m_name = QStringLiteral(":") + QString::fromLatin1(m_server.readLine().trimmed());
    }
    ~VirtualDisplay()
    {
        m_server.terminate();
        m_server.waitForFinished();
    }
    const QString& name() const { return m_name; }

private:
    QProcess m_server;
    QString m_name;
};

// One start of a Windows book under Wine to its table of contents: the whole command's time and
// the runtime's own report.
QByteArray wineStart(const QProcessEnvironment& environment, const QString& exe, double& seconds)
{
    QProcess book;
    book.setProcessEnvironment(environment);
    QElapsedTimer timer;
    timer.start();
    book.start(QStringLiteral("wine"), {exe, QStringLiteral("--startup-report")});
    if (!book.waitForFinished(60000))
        return "did not paint its table of contents";
    seconds = timer.nsecsElapsed() / 1e9;
    return book.readAllStandardOutput().trimmed();
}

// The two-chapter book for Windows readers, started under Wine in the tests' prefix: with the
// Wine server already running (as a reader's Windows is), and from cold.
void windowsStartup(QTemporaryDir& dir)
{
    std::printf("\nWindows runtime under Wine (two chapters, 10 entries):\n");
    if (QStandardPaths::findExecutable(QStringLiteral("wine")).isEmpty()) {
        std::printf("        Wine is not installed\n");
        return;
    }
    const QString folder = dir.filePath(QStringLiteral("W"));
    QDir().mkpath(folder);
    QDir::setCurrent(folder);
    WorkingState state;
    makeBook(state, QStringLiteral("W.QVJ"), 2, 10, 2048);
    // Behind every screen a photograph stretched over the screen, as books have.
    QImage photo(800, 600, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
    photo.save(QStringLiteral("BACK.BMP"), "BMP");
    state.Project.Config.ProgBackType = 2;
    state.Project.Config.ProgGraphicFile.setText(QStringLiteral("BACK.BMP"));
    state.Project.Menu.MenuDisplay.BackType = 2;
    state.Project.Menu.MenuDisplay.GraphicFile.setText(QStringLiteral("BACK.BMP"));
    WriteProject(state);
    if (!MakeExecutable(state, ReaderSystem::Windows))
        return;
    std::printf("        W.EXE %.1f KB\n", QFileInfo(QStringLiteral("W.EXE")).size() / 1024.0);
    const VirtualDisplay display;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("WINEPREFIX"),
                       QCoreApplication::applicationDirPath() + QStringLiteral("/../wineprefix"));
    environment.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("-all"));
    environment.insert(QStringLiteral("WINEDLLOVERRIDES"), QStringLiteral("mscoree,mshtml="));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    environment.insert(QStringLiteral("DISPLAY"), display.name());
    const QString exe = QDir::current().filePath(QStringLiteral("W.EXE"));
    const auto stopServer = [&environment] {
        QProcess server;
        server.setProcessEnvironment(environment);
        server.start(QStringLiteral("wineserver"), {QStringLiteral("-k")});
        server.waitForFinished(30000);
    };
    stopServer();
    double seconds = 0;
    const QByteArray cold = wineStart(environment, exe, seconds);
    std::printf("        cold (Wine server started): %6.3f s whole; %s\n", seconds,
                cold.constData());
    // In turns with the plain window of the same imports, the server running for both.
    const QString plain =
        QCoreApplication::applicationDirPath() + QStringLiteral("/win32window.exe");
    std::vector<double> book;
    std::vector<double> window;
    for (int run = 0; run < 7; ++run) {
        const QByteArray warm = wineStart(environment, exe, seconds);
        book.push_back(seconds);
        std::printf("        warm: %6.3f s whole (target 2 s) %s; %s\n", seconds,
                    seconds < 2 ? "ok" : "MISSED", warm.constData());
        wineStart(environment, plain, seconds);
        window.push_back(seconds);
    }
    std::sort(book.begin(), book.end());
    std::sort(window.begin(), window.end());
    const double ratio = book[3] / window[3];
    std::printf("        book %.3f s, plain window of the same imports %.3f s (medians of 7 "
                "turns): %.2f x (target 1.3) %s\n",
                book[3], window[3], ratio, ratio <= 1.3 ? "ok" : "MISSED");
    stopServer();
}

// The peak resident memory of a whole process, in MiB, from the kernel's own account of it.
double peakMiB(const QString& program, const QStringList& arguments)
{
    std::vector<QByteArray> words{QFile::encodeName(program)};
    for (const QString& argument : arguments)
        words.push_back(QFile::encodeName(argument));
    std::vector<char*> argv;
    for (QByteArray& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        std::freopen("/dev/null", "w", stderr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return -1;
    return usage.ru_maxrss / 1024.0;
}

// The batch builder making a 44 MB book for both readers against making it for one, in turns:
// the peak memory of each whole process.
void bothReaders(QTemporaryDir& dir)
{
    QDir().mkpath(dir.filePath(QStringLiteral("BOTH")));
    QDir::setCurrent(dir.filePath(QStringLiteral("BOTH")));
    WorkingState state;
    makeBook(state, QStringLiteral("TWO.QVJ"), 200, 100, 220 * 1024);
    const QString builder =
        QCoreApplication::applicationDirPath() + QStringLiteral("/quorelle-build");
    std::vector<double> both;
    std::vector<double> one;
    for (int turn = 0; turn < 5; ++turn) {
        both.push_back(peakMiB(builder, {QStringLiteral("TWO.QVJ"), QStringLiteral("--reader"),
                                         QStringLiteral("both")}));
        one.push_back(peakMiB(builder, {QStringLiteral("TWO.QVJ"), QStringLiteral("--reader"),
                                        QStringLiteral("linux")}));
    }
    std::sort(both.begin(), both.end());
    std::sort(one.begin(), one.end());
    const double ratio = both[2] / one[2];
    std::printf("book of %.1f MB for both readers: peak %.1f MiB; for one: %.1f MiB (medians of 5 "
                "turns): %.2f x (target 1.2) %s\n",
                QFileInfo(QStringLiteral("TWO.BIN")).size() / 1048576.0, both[2], one[2], ratio,
                ratio <= 1.2 ? "ok" : "MISSED");
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    // --windows: the Windows runtime's start alone.
    if (QCoreApplication::arguments().contains(QStringLiteral("--windows"))) {
        windowsStartup(dir);
        return 0;
    }
    // --linux: the Linux reader's opening and start alone.
    if (QCoreApplication::arguments().contains(QStringLiteral("--linux"))) {
        openByEntries(dir);
        return 0;
    }
    // --both-readers: the builder's memory for both readers against one.
    if (QCoreApplication::arguments().contains(QStringLiteral("--both-readers"))) {
        bothReaders(dir);
        return 0;
    }
    WorkingState state;
    makeBook(state, QStringLiteral("BIG.QVJ"), 1000, 10000, 200 * 1024 - 80);

    // The build and the export in turns, each after the disk has caught up with what the one
    // before it wrote, so that neither pays for the other's writing.
    std::vector<double> builds;
    std::vector<double> exports;
    for (int turn = 0; turn < 3; ++turn) {
        builds.push_back(timed([&state] { return MakeExecutable(state); }));
        exports.push_back(
            timed([&state] { return ExportEpub(state, QStringLiteral("BIG.epub")); }));
        if (builds.back() < 0 || exports.back() < 0)
            return 1;
    }
    std::sort(builds.begin(), builds.end());
    std::sort(exports.begin(), exports.end());
    const double build = builds[1];
    const double epub = exports[1];
    const qint64 size = QFileInfo(QStringLiteral("BIG.EXE")).size();
    sync();
    QElapsedTimer timer;
    timer.start();
    QFile::copy(QStringLiteral("BIG.EXE"), QStringLiteral("COPY.EXE"));
    const double copy = timer.nsecsElapsed() / 1e9;
    std::printf("executable: %.1f MB\n", size / 1048576.0);
    std::printf("MakeExecutable   %7.3f s  %7.1f MB/s (median of 3)\n", build,
                size / 1048576.0 / build);
    std::printf("plain copy       %7.3f s  %7.1f MB/s   build/copy throughput %.2f (target at "
                "least 0.5) %s\n",
                copy, size / 1048576.0 / copy, copy / build, copy / build >= 0.5 ? "ok" : "MISSED");
    std::printf("EPUB export      %7.3f s  (%.1f MB; median of 3, in turns with the build)   "
                "export/build time %.2f (target below 1) %s\n",
                epub, QFileInfo(QStringLiteral("BIG.epub")).size() / 1048576.0, epub / build,
                epub < build ? "ok" : "MISSED");

    std::optional<CompiledBookSource> big;
    const Opened opened = openToContents(QStringLiteral("BIG.EXE"), big);
    std::printf(
        "runtime to the table of contents  %.1f ms (target 200 ms) %s, resident memory +%.1f MB "
        "(target 60 MB) %s\n",
        opened.milliseconds, opened.milliseconds < 200 ? "ok" : "MISSED",
        opened.residentKb / 1024.0, opened.residentKb < 60 * 1024 ? "ok" : "MISSED");
    openByEntries(dir);
    windowsStartup(dir);
    return 0;
}
