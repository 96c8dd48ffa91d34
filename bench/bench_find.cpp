// Times Find across the book on a generated book of 200 chapters (about 40 MB of RTF): the time to
// the first hits, and to all of them, against the EPUB export of the same book, in turns (A B A B).
#include "benchtiming.h"
#include "generatedbook.h"

#include "core/epub/epubexport.h"
#include "core/writing/booksearch.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>

namespace {

struct FindTimes
{
    double first = -1; // seconds to the first hits shown
    double all = -1;
    qsizetype hits = 0;
};

// A word of every chapter: the window shows the first chapter's hits, then the others'.
FindTimes find(const WorkingState& state)
{
    QElapsedTimer timer;
    timer.start();
    FindTimes times;
    BookSearch search(state, {QStringLiteral("gulls"), false, true});
    while (!search.done()) {
        times.hits += search.next().size();
        if (times.hits > 0 && times.first < 0)
            times.first = timer.nsecsElapsed() / 1e9;
    }
    times.all = timer.nsecsElapsed() / 1e9;
    return times;
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    WorkingState state;
    generated::makeBook(state, QStringLiteral("BIG.QVJ"), 200, 200 * 1024);
    std::vector<double> firsts;
    std::vector<double> alls;
    std::vector<double> epubs;
    qsizetype hits = 0;
    for (int turn = 0; turn < 3; ++turn) {
        const FindTimes times = find(state);
        firsts.push_back(times.first);
        alls.push_back(times.all);
        hits = times.hits;
        epubs.push_back(timed([&state] { return ExportEpub(state, QStringLiteral("BIG.epub")); }));
        if (epubs.back() < 0)
            return 1;
    }
    const double first = generated::median(firsts);
    const double all = generated::median(alls);
    const double epub = generated::median(epubs);
    std::printf("book: 200 chapters, %lld places found (median of 3, in turns with the EPUB)\n",
                static_cast<long long>(hits));
    std::printf("first hits   %7.3f s  (target 0.5 s) %s\n", first, first <= 0.5 ? "ok" : "MISSED");
    std::printf("all hits     %7.3f s  EPUB export %.3f s: find/EPUB %.2f (target at most 1) %s\n",
                all, epub, all / epub, all <= epub ? "ok" : "MISSED");
    return 0;
}
