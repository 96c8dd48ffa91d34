// The reader libraries of a portable distribution: the ELF loader instructions they are found by,
// damaged files, and what is collected and copied.
#include "messagerecorder.h"
#include "programrun.h"
#include "testdir.h"

#include "core/book/elfimage.h"
#include "core/distribution/readerlibraries.h"
#include "core/files/filestore.h"
#include "core/project/records.h"

#include <QDirIterator>
#include <QProcess>
#include <QSet>
#include <QTest>

#include <cstring>
#include <elf.h>

using namespace Qt::StringLiterals;

namespace {

const QString kRuntime = QStringLiteral(QUORELLE_BIN_DIR "/kestrin.bin");

// What the dynamic loader reports of a reader started to its table of contents: the sample book
// without its About box and introduction, the program background a stretched picture or, with
// `picture` empty, a plain colour; a chapter screen and the links still name JPEG and bitmap files.
QString loadedToContents(const CurrentTempDir& dir, const QString& picture)
{
    QDirIterator files(QStringLiteral(QUORELLE_SOURCE_DIR "/resources/sample"), QDir::Files);
    while (files.hasNext()) {
        files.next();
        QFile::remove(dir.filePath(files.fileName()));
        QFile::copy(files.filePath(), dir.filePath(files.fileName()));
    }
    QByteArray stored = filestore::readAll(dir.filePath(u"SAMPLE.QVJ"_s));
    ProjectRecord project;
    std::memcpy(&project, stored.constData(), sizeof project);
    project.Presentation.AboutShown = 0;
    project.Presentation.IntroShown = 0;
    project.Config.ProgBackType = picture.isEmpty() ? 1 : 2;
    project.Config.ProgGraphicFile.setText(picture);
    std::memcpy(stored.data(), &project, sizeof project);
    filestore::writeAll(dir.filePath(u"SAMPLE.QVJ"_s), stored);
    if (RunBuildTool({dir.filePath(u"SAMPLE.QVJ"_s)}).exitCode != 0)
        return u"not built"_s;
    QProcess book;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    environment.insert(u"LD_DEBUG"_s, u"files"_s);
    book.setProcessEnvironment(environment);
    book.start(dir.filePath(u"SAMPLE.EXE"_s), {u"--startup-report"_s});
    if (!book.waitForFinished(60000))
        return u"did not reach its table of contents"_s;
    return QString::fromLocal8Bit(book.readAllStandardError());
}

} // namespace

class ReaderLibrariesTest : public QObject
{
    Q_OBJECT

private slots:
    // The runtime names its libraries and its own folder. The media and picture libraries are
    // the plugins' to load, so the reader starts without them; a portable distribution still
    // carries them (below).
    void runtime_namesItsLibrariesAndCarriesItsPlugins()
    {
        const QByteArray runtime = filestore::readAll(kRuntime);
        const std::optional<ElfDynamic> dynamic = ReadElfDynamic(runtime);
        QVERIFY(dynamic);
        QVERIFY(dynamic->needed.contains(u"libQt6Core.so.6"_s));
        QCOMPARE(dynamic->rpath, QStringList{u"$ORIGIN/reader-lib"_s});
        QVERIFY(dynamic->runpath.isEmpty());
        QCOMPARE(dynamic->runpathTag, -1);
        for (const QString& library : {u"libQt6Multimedia.so.6"_s, u"libQt6Svg.so.6"_s,
                                       u"libjpeg.so.62"_s, u"libwmf-0.2.so.7"_s})
            QVERIFY2(!dynamic->needed.contains(library), qPrintable(library));
        const std::optional<ElfDynamic> media =
            ReadElfDynamic(ElfSection(runtime, u"quorelle_plugin_media"_s));
        QVERIFY(media && media->needed.contains(u"libQt6Multimedia.so.6"_s));
        const std::optional<ElfDynamic> pictures =
            ReadElfDynamic(ElfSection(runtime, u"quorelle_plugin_pictures"_s));
        QVERIFY(pictures && pictures->needed.contains(u"libwmf-0.2.so.7"_s));
        QVERIFY(ElfSection(runtime, u"quorelle_plugin_none"_s).isEmpty());
        // A section table cut off by the end of the file gives nothing.
        QVERIFY(
            ElfSection(runtime.left(runtime.size() - 100), u"quorelle_plugin_media"_s).isEmpty());
    }

    // The picture libraries (JPEG, metafiles, SVG) come with the pictures plugin, which is loaded
    // when a picture of its kind is first drawn, not because the book names one somewhere.
    void runtime_loadsPictureLibrariesForTheFirstPictureDrawn()
    {
        CurrentTempDir dir;
        const QString plain = loadedToContents(dir, QString());
        QVERIFY2(plain.contains(u"file=libQt6Widgets.so.6"_s), qPrintable(plain.left(400)));
        QVERIFY2(!plain.contains(u"libwmf"_s), "the plugin was loaded for no picture");
        const QString stretched = loadedToContents(dir, u"SEA.JPG"_s);
        QVERIFY2(stretched.contains(u"libwmf"_s), qPrintable(stretched.right(400)));
    }

    // Every cut and every overwritten header word is refused or read within the file.
    void damagedFiles_areReadSafely()
    {
        const QByteArray runtime = filestore::readAll(kRuntime);
        for (qsizetype cut = 0; cut < 20000; cut += 61)
            ReadElfDynamic(runtime.left(cut));
        for (qsizetype cut = runtime.size() - 4000; cut < runtime.size(); cut += 7)
            ElfSection(runtime.left(cut), u"quorelle_plugin_media"_s);
        QVERIFY(!ReadElfDynamic("not an ELF file at all, but long enough to hold a header....."));
        for (qsizetype at = 16; at < qsizetype(sizeof(Elf64_Ehdr)); ++at) {
            QByteArray damaged = runtime;
            damaged[at] = char(0xff);
            ReadElfDynamic(damaged);
            ElfImageEnd(damaged);
            ElfSection(damaged, u"quorelle_plugin_media"_s);
        }
        // A string table beyond the end of the file.
        QByteArray far = runtime;
        const qsizetype table = far.indexOf(QByteArray("libQt6Core.so.6"));
        QVERIFY(table > 0);
        far.truncate(table);
        QVERIFY(!ReadElfDynamic(far) || ReadElfDynamic(far)->needed.isEmpty());
    }

    void plan_collectsWhatTheLoaderLoads()
    {
        const ReaderLibraryPlan plan = PlanReaderLibraries(InstalledReaderSources(kRuntime));
        QVERIFY2(plan.unresolved.isEmpty(), qPrintable(plan.unresolved.join(u' ')));
        QSet<QString> targets;
        bool pulseInheritsRunpath = false;
        for (const BundledFile& file : plan.files) {
            targets << file.target;
            pulseInheritsRunpath |=
                file.target == u"reader-lib/libpulse.so.0"_s && file.inheritRunpath;
        }
        QCOMPARE(targets.size(), plan.files.size()); // each file once
        for (const char* target :
             {"reader-lib/libQt6Core.so.6", "reader-lib/libQt6Widgets.so.6",
              "reader-lib/libjpeg.so.62", "reader-lib/libwmf-0.2.so.7", "reader-lib/libxcb.so.1",
              "reader-lib/libQt6Multimedia.so.6", "reader-lib/libQt6Svg.so.6",
              "reader-lib/libfontconfig.so.1", "reader-lib/plugins/platforms/libqxcb.so",
              "reader-lib/plugins/platforms/libqoffscreen.so",
              "reader-lib/plugins/multimedia/libgstreamermediaplugin.so",
              "reader-lib/libgstreamer-1.0.so.0", "reader-lib/gstreamer-1.0/libgstwavparse.so",
              "reader-lib/gstreamer-1.0/libgstfluidsynthmidi.so", "reader-lib/libfluidsynth.so.3",
              "reader-lib/share/sounds/sf2/TimGM6mb.sf2", "reader-lib/fonts/NimbusSans-Regular.t1"})
            QVERIFY2(targets.contains(QString::fromLatin1(target)), target);
        for (const char* system : {"reader-lib/libc.so.6", "reader-lib/libstdc++.so.6",
                                   "reader-lib/libgcc_s.so.1", "reader-lib/libm.so.6"})
            QVERIFY2(!targets.contains(QString::fromLatin1(system)), system);
        // PulseAudio's client finds its common library through a run path of its own.
        QVERIFY(pulseInheritsRunpath);
        QVERIFY(targets.contains(u"reader-lib/libpulsecommon-16.1.so"_s));
    }

    void copy_makesRunpathsInheritedAndWritesQtConf()
    {
        CurrentTempDir dir;
        ModelDoubles doubles;
        ReaderLibrarySources sources = InstalledReaderSources(kRuntime);
        QVERIFY(CopyReaderLibraries(dir.path(), sources));
        QCOMPARE(filestore::readAll(dir.filePath(u"qt.conf"_s)),
                 QByteArray("[Paths]\nPrefix = reader-lib\nPlugins = plugins\n"));
        const std::optional<ElfDynamic> pulse =
            ReadElfDynamic(filestore::readAll(dir.filePath(u"reader-lib/libpulse.so.0"_s)));
        QVERIFY(pulse && pulse->runpath.isEmpty() && !pulse->rpath.isEmpty());
        const ReaderLibraryPlan plan = PlanReaderLibraries(sources);
        for (const BundledFile& file : plan.files) {
            if (!file.inheritRunpath)
                QCOMPARE(QFileInfo(dir.filePath(file.target)).size(),
                         QFileInfo(file.source).size());
        }

        // Where a library cannot be found, nothing is copied and the message names it.
        CurrentTempDir empty;
        sources.libraryDirs.clear();
        QVERIFY(!CopyReaderLibraries(empty.path(), sources));
        const QString first = ReadElfDynamic(filestore::readAll(kRuntime))->needed.first();
        QCOMPARE(doubles.messages.texts(),
                 QStringList{u"The reader library %1 was not found."_s.arg(first)});
        QVERIFY(QDir(empty.path()).isEmpty());
    }
};

QTEST_GUILESS_MAIN(ReaderLibrariesTest)
#include "tst_readerlibraries.moc"
