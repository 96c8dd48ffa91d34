// Times the section engine on a generated HyperText file of 10,000 entries against plain reads
// and copies of the same file, and lookups in a compiled block of 100,000 entries.
#include "core/files/filestore.h"
#include "core/sections/compiledsections.h"
#include "core/sections/sectionfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

QByteArray entryFile(int entries)
{
    QByteArray file;
    for (int i = 0; i < entries; ++i) {
        const QByteArray n = QByteArray::number(i).rightJustified(5, '0');
        if (i % 4 == 3) {
            file += "[Display phrase " + n +
                    "]\r\nsource=HYPER\r\ntype=1\r\ndisplaytype=1\r\n"
                    "fullscreen=false\r\nSbackcolor=clSilver\r\nSGraphic=\r\nSWallpaper=\r\n"
                    "VPBack=clWhite\r\nVPLeft=120\r\nVPTop=80\r\nVPWidth=400\r\nVPHeight=200\r\n"
                    "RLTop=1\r\nRLLeft=1\r\nprint=false\r\ntext=\r\n{\\rtf1\\ansi\\deff0 "
                    "{\\fonttbl{\\f0 Times New Roman;}}\\f0\\fs20 Pop-up text " +
                    n + "\\par }\r\n]\r\n\r\n";
        } else {
            file += "[Phrase number " + n + "]\r\nsource=HYPER\r\ntype=6\r\ncommand=PICTURE" + n +
                    ".BMP,SOUND" + n + ".WAV,50\r\n]\r\n\r\n";
        }
    }
    return file;
}

// Median wall time of `runs` calls, in microseconds; `prepare` runs untimed before each call.
double medianMicros(int runs, const std::function<void()>& work,
                    const std::function<void()>& prepare = {})
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        if (prepare)
            prepare();
        const auto start = Clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void report(const char* what, double micros, double baseline, double limit)
{
    std::printf("%-34s %10.1f us   %5.2f x baseline   (target %.0f x) %s\n", what, micros,
                micros / baseline, limit, micros / baseline <= limit ? "ok" : "MISSED");
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    const QString file = QStringLiteral("BOOK.QVR");
    const QByteArray content = entryFile(10000);
    filestore::writeAll(file, content);
    std::printf("HyperText file: 10,000 entries, %lld bytes\n\n",
                static_cast<long long>(content.size()));
    const auto restore = [&] { filestore::writeAll(file, content); };
    constexpr int kRuns = 101;

    const double read = medianMicros(kRuns, [&] { filestore::readAll(file); });
    const double copy = medianMicros(kRuns, [&] {
        QFile::remove(QStringLiteral("COPY.QVR"));
        QFile::copy(file, QStringLiteral("COPY.QVR"));
    });
    std::printf("%-34s %10.1f us\n%-34s %10.1f us\n\n", "baseline: read the file's bytes", read,
                "baseline: plain copy of the file", copy);

    QStringList lines;
    report("ReadEntry (last entry)",
           medianMicros(kRuns,
                        [&] {
                            ReadEntry(file, QStringLiteral("Phrase number 09998"),
                                      QStringLiteral("HYPER"), lines);
                        }),
           read, 3);
    report("ReplaceEntry (middle entry)",
           medianMicros(
               kRuns,
               [&] {
                   ReplaceEntry(file, QStringLiteral("Renamed"),
                                QStringLiteral("Phrase number 05000"), 3, QStringLiteral("NEW.WAV"),
                                QStringLiteral("HYPER"));
               },
               restore),
           copy, 5);
    report("DeleteEntry (middle entry)",
           medianMicros(
               kRuns,
               [&] {
                   DeleteEntry(file, QStringLiteral("Phrase number 05000"),
                               QStringLiteral("HYPER"));
               },
               restore),
           copy, 5);
    restore();
    const double compile =
        medianMicros(kRuns, [&] { CompileSectionFile(file, QStringLiteral("$$$")); });
    std::printf("%-34s %10.1f us   (target under 50,000 us) %s\n", "CompileSectionFile", compile,
                compile < 50000 ? "ok" : "MISSED");

    const CompiledSections large = CompiledSections::fromBytes(CompileSections(entryFile(100000)));
    QStringList names;
    QRandomGenerator random(1);
    for (int i = 0; i < 1000; ++i)
        names << QStringLiteral("Phrase number %1")
                     .arg(random.bounded(25000) * 4, 5, 10, QLatin1Char('0'));
    int found = 0;
    int asked = 0;
    const double lookups = medianMicros(kRuns, [&] {
        for (const QString& name : std::as_const(names))
            found += large.find(name, QStringLiteral("HYPER")) >= 0;
        asked += int(names.size());
    });
    std::printf("%-34s %10.3f us   (target under 10 us; %d sections, %d of %d found)\n",
                "compiled lookup, per lookup", lookups / names.size(), large.count(), found, asked);
    return 0;
}
