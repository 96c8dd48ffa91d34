// Times the web edition's export of a generated book of 200 chapters (about 40 MB of RTF, each
// chapter with HyperText phrases) against the EPUB export of the same book, in turns (A B A B),
// and prints the sizes. With --edition FOLDER it only writes that book's web edition (and a book
// of 10 chapters beside it, FOLDER-10), for bench/webstart.js to open in a browser.
#include "benchtiming.h"

#include "core/epub/epubexport.h"
#include "core/files/filenames.h"
#include "core/files/filestore.h"
#include "core/project/openproject.h"
#include "core/project/projectfiles.h"
#include "core/web/webedition.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <vector>

namespace {

// A chapter of about `bytes` of RTF: paragraphs of words with a HyperText phrase in each.
QByteArray chapterText(int chapter, qsizetype bytes)
{
    QByteArray text = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times New Roman;}}\\f0\\fs24 ";
    for (int paragraph = 0; text.size() < bytes; ++paragraph) {
        text += "\\pard The ship left the harbour at dawn, and the sea lay grey and still under "
                "the low clouds of the morning; see the {\\ul Phrase " +
                QByteArray::number((chapter * 7 + paragraph) % 50) +
                "} for more. The crew worked in silence while the gulls followed the wake "
                "far out beyond the last light of the coast.\\par ";
    }
    return text + "}";
}

void makeBook(WorkingState& state, const QString& projectFile, int chapters, qsizetype bytes)
{
    state.ProgramDir = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    state.ProjectDir = QDir::currentPath() + QLatin1Char('/');
    state.ProjectFile = projectFile;
    OpenProject(state);
    QByteArray list;
    for (int i = 0; i < chapters; ++i) {
        const QString file = QStringLiteral("CH%1.QLF").arg(i, 4, 10, QLatin1Char('0'));
        filestore::writeAll(file, chapterText(i, bytes));
        ChapterRecord chapter{};
        chapter.MenuEntry.setText(QStringLiteral("Chapter %1").arg(i + 1));
        chapter.ChapterFile.setText(file);
        chapter.DisplayFile.setText(BaseName(projectFile) + QStringLiteral(".QVD"));
        list.append(filestore::bytesOf(chapter));
    }
    filestore::writeAll(state.ChapterListFile, list);
    QByteArray entries;
    for (int i = 0; i < 50; ++i)
        entries += "[Phrase " + QByteArray::number(i) +
                   "]\r\nsource=HYPER\r\ntype=1\r\ndisplaytype=1\r\nfullscreen=false\r\n"
                   "Sbackcolor=clWhite\r\nSGraphic=\r\nSWallpaper=\r\nVPBack=clWhite\r\n"
                   "VPLeft=120\r\nVPTop=80\r\nVPWidth=400\r\nVPHeight=200\r\nRLTop=0\r\n"
                   "RLLeft=0\r\nprint=false\r\ntext=\r\n{\\rtf1 A note on phrase " +
                   QByteArray::number(i) + ".}\r\n]\r\n\r\n";
    filestore::writeAll(state.HyperTextFile, entries);
}

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

double median(std::vector<double> figures)
{
    std::sort(figures.begin(), figures.end());
    return figures[figures.size() / 2];
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
