// Times the web edition's export of a generated book of 200 chapters (about 40 MB of RTF, each
// chapter with HyperText phrases) against the EPUB export of the same book, in turns (A B A B),
// and prints the sizes. With --edition FOLDER it only writes that book's web edition (and a book
// of 10 chapters beside it, FOLDER-10), for bench/webstart.js to open in a browser.
#include "benchtiming.h"
#include "generatedbook.h"

#include "core/epub/epubexport.h"
#include "core/web/webedition.h"

#include <QDir>
#include <QDirIterator>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <vector>

namespace {

using generated::makeBook;
using generated::median;

qint64 folderBytes(const QString& folder, bool media)
{
    qint64 total = 0;
    QDirIterator files(folder, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        files.next();
        if (media == files.filePath().contains(QLatin1String("/media/")))
            total += files.fileInfo().size();
    }
    return total;
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    const QStringList arguments = QCoreApplication::arguments();
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--edition"));
        at >= 0 && at + 1 < arguments.size()) {
        const QString folder = QDir(arguments.at(at + 1)).absolutePath();
        WorkingState big;
        makeBook(big, QStringLiteral("BIG.QVJ"), 200, 200 * 1024);
        WorkingState small;
        makeBook(small, QStringLiteral("SMALL.QVJ"), 10, 200 * 1024);
        const bool written = ExportWebEdition(big, folder) &&
                             ExportWebEdition(small, folder + QStringLiteral("-10"));
        return written ? 0 : 1;
    }
    WorkingState state;
    makeBook(state, QStringLiteral("BIG.QVJ"), 200, 200 * 1024);
    qint64 rtf = 0;
    for (const QFileInfo& chapter : QDir().entryInfoList({QStringLiteral("*.QLF")}))
        rtf += chapter.size();
    std::vector<double> webTimes;
    std::vector<double> epubTimes;
    for (int turn = 0; turn < 3; ++turn) {
        webTimes.push_back(timed([&state] {
            return ExportWebEdition(state, QDir::current().filePath(QStringLiteral("BIG-web")));
        }));
        epubTimes.push_back(
            timed([&state] { return ExportEpub(state, QStringLiteral("BIG.epub")); }));
        if (webTimes.back() < 0 || epubTimes.back() < 0)
            return 1;
    }
    const double web = median(webTimes);
    const double epub = median(epubTimes);
    std::printf("book: 200 chapters, %.1f MB of RTF\n", rtf / 1048576.0);
    std::printf("web edition  %7.3f s  (%.1f MB; median of 3, in turns with the EPUB)\n", web,
                folderBytes(QStringLiteral("BIG-web"), false) / 1048576.0);
    std::printf("EPUB export  %7.3f s  (%.1f MB)   web/EPUB time %.2f (target at most 1) %s\n",
                epub, QFileInfo(QStringLiteral("BIG.epub")).size() / 1048576.0, web / epub,
                web <= epub ? "ok" : "MISSED");
    return 0;
}
