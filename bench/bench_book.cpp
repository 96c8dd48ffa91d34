// Times MakeExecutable on a generated book of 1,000 chapters (about 200 MB of chapter text) and
// 10,000 HyperText entries against a plain copy of the same bytes, and the reader runtime's
// opening of that book to its table of contents: time and resident memory.
#include "core/book/bookarchive.h"
#include "core/book/executable.h"
#include "core/files/filestore.h"
#include "core/project/openproject.h"
#include "core/project/projectfiles.h"
#include "core/sections/hypertext.h"
#include "preview/bmnudspf.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

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

void makeBook(WorkingState& state)
{
    state.ProgramDir = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    state.ProjectFile = QStringLiteral("BIG.QVJ");
    OpenProject(state);
    const QByteArray paragraph =
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times New Roman;}}\\f0\\fs24 " +
        QByteArray(200 * 1024 - 80, 'a') + "\\par}";
    QByteArray list;
    for (int i = 0; i < 1000; ++i) {
        const QString file = QStringLiteral("CH%1.QLF").arg(i, 4, 10, QLatin1Char('0'));
        filestore::writeAll(file, paragraph);
        ChapterRecord chapter{};
        chapter.MenuEntry.setText(QStringLiteral("Chapter %1").arg(i + 1));
        chapter.ChapterFile.setText(file);
        chapter.DisplayFile.setText(QStringLiteral("BIG.QVD"));
        list.append(filestore::bytesOf(chapter));
    }
    filestore::writeAll(state.ChapterListFile, list);
    QByteArray entries;
    for (int i = 0; i < 10000; ++i)
        entries += "[Phrase " + QByteArray::number(i) +
                   "]\r\nsource=HYPER\r\ntype=2\r\ncommand=PIC" + QByteArray::number(i) +
                   ".BMP,30\r\n]\r\n\r\n";
    filestore::writeAll(state.HyperTextFile, entries);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    WorkingState state;
    makeBook(state);

    QElapsedTimer timer;
    timer.start();
    if (!MakeExecutable(state))
        return 1;
    const double build = timer.nsecsElapsed() / 1e9;
    const qint64 size = QFileInfo(QStringLiteral("BIG.EXE")).size();
    timer.restart();
    QFile::copy(QStringLiteral("BIG.EXE"), QStringLiteral("COPY.EXE"));
    const double copy = timer.nsecsElapsed() / 1e9;
    std::printf("executable: %.1f MB\n", size / 1048576.0);
    std::printf("MakeExecutable   %7.3f s  %7.1f MB/s\n", build, size / 1048576.0 / build);
    std::printf("plain copy       %7.3f s  %7.1f MB/s   build/copy throughput %.2f (target at "
                "least 0.5) %s\n",
                copy, size / 1048576.0 / copy, copy / build, copy / build >= 0.5 ? "ok" : "MISSED");

    const long before = residentKb();
    timer.restart();
    QFile self(QStringLiteral("BIG.EXE"));
    self.open(QIODevice::ReadOnly);
    const uchar* mapped = self.map(0, self.size());
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(mapped), self.size());
    CompiledBookSource source(BookAfterImage(bytes));
    const PreviewContext context{source, QString(), QPoint()};
    TBookMenuForm contents(context, source.menuEntries());
    contents.show();
    QApplication::processEvents();
    const double open = timer.nsecsElapsed() / 1e6;
    const long grown = residentKb() - before;
    std::printf(
        "runtime to the table of contents  %.1f ms (target 200 ms) %s, resident memory +%.1f MB "
        "(target 60 MB) %s\n",
        open, open < 200 ? "ok" : "MISSED", grown / 1024.0, grown < 60 * 1024 ? "ok" : "MISSED");
    return 0;
}
