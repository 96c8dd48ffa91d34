// The distribution: which files a book needs, the folder window, and the copy.
#include "clicks.h"
#include "doubles.h"
#include "epubcheck.h"
#include "testdir.h"

#include "core/distribution/distribution.h"
#include "core/project/openproject.h"
#include "core/project/projectfiles.h"
#include "core/sections/hypertext.h"
#include "ui/publish/buildandoffertest.h"
#include "ui/publish/distribform.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

struct Book
{
    CurrentTempDir dir;
    WorkingState state;

    Book()
    {
        state.ProjectDir = dir.path() + QLatin1Char('/');
        state.ProjectFile = QStringLiteral("BOOK.QVJ");
        OpenProject(state);
        for (const char* name :
             {"OPEN.BMP", "OPEN.WAV", "PIC.BMP", "SND.WAV", "VOICE.WAV", "NOTES.TXT", "GAME.EXE",
              "TILE.BMP", "CH.QLF", "BOOK.EXE", "POP.JPG"})
            writeBytes(dir.filePath(QString::fromLatin1(name)), name);
        PresentationRecord& p = state.Project.Presentation;
        p.OpeningShown = 1;
        p.Opening.CommandType = 6;
        p.Opening.ComboGraphicFile.setText(QStringLiteral("OPEN.BMP"));
        p.Opening.ComboSoundFile.setText(QStringLiteral("OPEN.WAV"));
        p.ClosingShown = 1;
        p.Closing.CommandType = 9;
        p.Closing.ProgramFile.setText(QStringLiteral("VIEWER"));
        const QString file = state.HyperTextFile;
        AddEntry(file, QStringLiteral("a"), 2, QStringLiteral("PIC.BMP,30"), kHyperSource);
        AddEntry(file, QStringLiteral("b"), 6, QStringLiteral("PIC.BMP,SND.WAV,50"), kHyperSource);
        AddEntry(file, QStringLiteral("c"), 9, QStringLiteral("WRITE MISSING.TXT"), kHyperSource);
        AddEntry(file, QStringLiteral("d"), 4, QStringLiteral("GAME.EXE,-x"), kHyperSource);
        AddEntry(file, QStringLiteral("e"), 13, QStringLiteral("NOTES.TXT"), kHyperSource);
        AddEntry(file, QStringLiteral("f"), 3, QStringLiteral("VOICE.WAV"), kHyperSource);
        DisplayRecord pop = DefaultDisplay();
        pop.GraphicFile.setText(QStringLiteral("POP.JPG"));
        AddDisplayEntry(file, QStringLiteral("g"), 5, pop, {QStringLiteral("{\\rtf1 x}")},
                        kHyperSource);
        state.CurrentDisplay = DefaultDisplay();
        state.CurrentDisplay.BackType = 3;
        state.CurrentDisplay.WallpaperFile.setText(QStringLiteral("TILE.BMP"));
        WriteDisplayFile(state, QStringLiteral("BOOK.QVD"));
        for (const char* entry : {"One", "Two"}) {
            state.CurrentChapter = ChapterRecord{};
            state.CurrentChapter.MenuEntry.setText(QString::fromLatin1(entry));
            state.CurrentChapter.ChapterFile.setText(QStringLiteral("CH.QLF"));
            state.CurrentChapter.DisplayFile.setText(QStringLiteral("BOOK.QVD"));
            WriteChapter(state, -1);
        }
    }
};

// Copies the sample book into `dir`/book and prepares its distribution in `dir`/dist.
bool buildSample(const CurrentTempDir& dir, const QStringList& options)
{
    const QDir sample(QStringLiteral(QUORELLE_SOURCE_DIR "/resources/sample"));
    QDir(dir.path()).mkdir(QStringLiteral("book"));
    for (const QString& name : sample.entryList(QDir::Files)) {
        if (!QFile::copy(sample.filePath(name), dir.filePath(QStringLiteral("book/") + name)))
            return false;
    }
    QProcess build;
    build.start(QStringLiteral(QUORELLE_BIN_DIR "/quorelle-build"),
                QStringList{dir.filePath(QStringLiteral("book/SAMPLE.QVJ")),
                            QStringLiteral("--dist"), dir.filePath(QStringLiteral("dist")),
                            QStringLiteral("--include-programs")} +
                    options);
    if (!build.waitForFinished(120000) || build.exitCode() != 0) {
        qWarning() << build.readAllStandardError();
        return false;
    }
    return true;
}

QProcessEnvironment offscreen()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return environment;
}

} // namespace

class DistributionTest : public QObject
{
    Q_OBJECT

private slots:
    void files_inOrderOnceEach()
    {
        Book book;
        QStringList asked;
        const QStringList files = DistributionFiles(book.state, [&asked](const QString& program) {
            asked << program;
            return false;
        });
        QCOMPARE(asked, QStringList{QStringLiteral("GAME.EXE")});
        QCOMPARE(files, QStringList({QStringLiteral("OPEN.BMP"), QStringLiteral("OPEN.WAV"),
                                     QStringLiteral("PIC.BMP"), QStringLiteral("SND.WAV"),
                                     QStringLiteral("NOTES.TXT"), QStringLiteral("VOICE.WAV"),
                                     QStringLiteral("POP.JPG"), QStringLiteral("TILE.BMP")}));
        const QStringList withProgram =
            DistributionFiles(book.state, [](const QString&) { return true; });
        QVERIFY(withProgram.contains(QStringLiteral("GAME.EXE")));
    }

    // A program that an opening or closing command starts is asked about as a link's program
    // is: a program of the system's path is left out, not reported missing.
    void commandPrograms_areAskedAboutAsLinksAre()
    {
        PlatformDoubles platform;
        Book book;
        CommandRecord& closing = book.state.Project.Presentation.Closing;
        closing.CommandType = 4;
        closing.ProgramFile.setText(QStringLiteral("xdg-open,NOTES.TXT"));
        QStringList asked;
        const auto leaveOut = [&asked](const QString& program) {
            asked << program;
            return false;
        };
        QVERIFY(!DistributionFiles(book.state, leaveOut).contains(QStringLiteral("xdg-open")));
        QCOMPARE(asked, QStringList({QStringLiteral("xdg-open"), QStringLiteral("GAME.EXE")}));
        const QString target = book.dir.filePath(QStringLiteral("dist/"));
        QVERIFY(CopyDistribution(book.state, target, leaveOut));
        QCOMPARE(platform.messages.texts(),
                 QStringList{QStringLiteral("All the files have been copied to the Directory ") +
                             target});
    }

    void copy_endsWithTheExecutable()
    {
        PlatformDoubles platform;
        Book book;
        const QString target = book.dir.filePath(QStringLiteral("dist/cd"));
        QVERIFY(CopyDistribution(book.state, target + QLatin1Char('/'),
                                 [](const QString&) { return false; }));
        QCOMPARE(QDir(target).entryList(QDir::Files).size(), 9);
        QVERIFY(QFileInfo(QDir(target).filePath(QStringLiteral("BOOK.EXE"))).isExecutable());
        QCOMPARE(platform.messages.texts(),
                 QStringList{QStringLiteral("All the files have been copied to the Directory ") +
                             target + QLatin1Char('/')});
        QCOMPARE(platform.messages.shown().first().kind, MessageKind::Plain);
    }

    void executableInAnotherCase_isBuiltOfferedAndShipped()
    {
        PlatformDoubles platform;
        Book book;
        QFile::remove(book.dir.filePath(QStringLiteral("BOOK.EXE")));
        writeBytes(book.dir.filePath(QStringLiteral("BOOK.exe")), "built on the original platform");
        book.state.ProgramDir = QStringLiteral(QUORELLE_BIN_DIR "/");
        platform.messages.answer(MessageAnswer::No);
        BuildAndOfferTest(book.state);
        QCOMPARE(
            platform.messages.texts(),
            QStringList{QStringLiteral("The Executable E-Book BOOK.exe has been created.\n\r\n\r"
                                       "Do you want to test it now?")});
        platform.messages.clear();
        const QString target = book.dir.filePath(QStringLiteral("dist"));
        QVERIFY(CopyDistribution(book.state, target + QLatin1Char('/'),
                                 [](const QString&) { return false; }));
        platform.messages.clear();
        QVERIFY(readBytes(QDir(target).filePath(QStringLiteral("BOOK.exe")))
                    .startsWith(readBytes(QStringLiteral(QUORELLE_BIN_DIR "/kestrin.bin"))));
        QVERIFY(!book.dir.entries().contains(QStringLiteral("BOOK.EXE")));
    }

    void namesOutsideTheBookFolder_areRefusedNamingTheirEntries()
    {
        PlatformDoubles platform;
        Book book;
        AddEntry(book.state.HyperTextFile, QStringLiteral("Secrets"), 13,
                 QStringLiteral("/etc/passwd"), kHyperSource);
        AddEntry(book.state.HyperTextFile, QStringLiteral("Shadow"), 10,
                 QStringLiteral("../../../../etc/shadow"), kHyperSource);
        const QString target = book.dir.filePath(QStringLiteral("dist"));
        QVERIFY(!CopyDistribution(book.state, target, [](const QString&) { return false; }));
        QCOMPARE(platform.messages.texts(),
                 QStringList(
                     {QStringLiteral("The HyperText entry \"Secrets\" names /etc/passwd, which is "
                                     "not a file of the book's folder."),
                      QStringLiteral("The HyperText entry \"Shadow\" names ../../../../etc/shadow, "
                                     "which is not a file of the book's folder.")}));
        QVERIFY(!QDir(target).exists());
    }

    void copy_refusesWithoutExecutableOrFiles()
    {
        PlatformDoubles platform;
        Book book;
        QFile::remove(book.dir.filePath(QStringLiteral("SND.WAV")));
        QFile::remove(book.dir.filePath(QStringLiteral("TILE.BMP")));
        const QString target = book.dir.filePath(QStringLiteral("dist"));
        QVERIFY(!CopyDistribution(book.state, target, [](const QString&) { return false; }));
        QCOMPARE(platform.messages.texts(),
                 QStringList({QStringLiteral("The file SND.WAV is missing."),
                              QStringLiteral("The file TILE.BMP is missing.")}));
        QVERIFY(!QDir(target).exists());
        platform.messages.clear();
        QFile::remove(book.dir.filePath(QStringLiteral("BOOK.EXE")));
        QVERIFY(!CopyDistribution(book.state, target, [](const QString&) { return false; }));
        QCOMPARE(platform.messages.texts(),
                 QStringList{QStringLiteral(
                     "BOOK.EXE was not found. Please create the Executable program.")});
    }

    void buildTool_buildsAndRefusesToGuess()
    {
        Book book;
        const QString tool = QStringLiteral(QUORELLE_BIN_DIR "/quorelle-build");
        const auto run = [&](const QStringList& arguments, QString* errors = nullptr) {
            QProcess process;
            process.setWorkingDirectory(book.dir.path());
            process.start(tool, arguments);
            process.waitForFinished(60000);
            if (errors)
                *errors = QString::fromUtf8(process.readAllStandardError());
            return process.exitCode();
        };
        QString errors;
        QCOMPARE(run({QStringLiteral("BOOK.QVJ"), QStringLiteral("--dist"), QStringLiteral("out")},
                     &errors),
                 2);
        QVERIFY(errors.contains(QStringLiteral("The book starts the program GAME.EXE.")));
        QVERIFY(!QDir(book.dir.filePath(QStringLiteral("out"))).exists());
        QCOMPARE(run({QStringLiteral("BOOK.QVJ"), QStringLiteral("--dist"), QStringLiteral("out"),
                      QStringLiteral("--exclude-programs")}),
                 0);
        const QStringList copied =
            QDir(book.dir.filePath(QStringLiteral("out"))).entryList(QDir::Files);
        QVERIFY(copied.contains(QStringLiteral("BOOK.EXE")) &&
                !copied.contains(QStringLiteral("GAME.EXE")));
        QVERIFY(readBytes(book.dir.filePath(QStringLiteral("BOOK.EXE"))).size() >
                10000); // a real build
        QCOMPARE(run({QStringLiteral("NONE.QVJ")}, &errors), 1);
        QVERIFY(errors.contains(QStringLiteral("File not found")));

        // The project folder itself is refused, as the distribution window refuses it.
        const QStringList before = book.dir.entries();
        QCOMPARE(run({QStringLiteral("BOOK.QVJ"), QStringLiteral("--dist"), QStringLiteral("."),
                      QStringLiteral("--exclude-programs")},
                     &errors),
                 1);
        QVERIFY2(errors.contains(QStringLiteral("Files cannot be copied to Project directory.")),
                 qPrintable(errors));
        QCOMPARE(book.dir.entries(), before);

        // A missing default display file is reported, not made anew in silence.
        QFile::remove(book.dir.filePath(QStringLiteral("BOOK.QVD")));
        QCOMPARE(run({QStringLiteral("BOOK.QVJ"), QStringLiteral("--exclude-programs")}, &errors),
                 1);
        QVERIFY2(errors.contains(QStringLiteral("The Display file BOOK.QVD was not found.")),
                 qPrintable(errors));
        QVERIFY(!book.dir.entries().contains(QStringLiteral("BOOK.QVD")));
    }

    void sampleBook_buildsWithEveryLinkKind()
    {
        CurrentTempDir dir;
        QVERIFY(buildSample(dir, {}));
        QCOMPARE(QDir(dir.filePath(QStringLiteral("dist"))).entryList(QDir::Files).size(), 10);
        QProcess verify;
        verify.start(dir.filePath(QStringLiteral("dist/SAMPLE.EXE")), {QStringLiteral("--verify")});
        QVERIFY(verify.waitForFinished(30000));
        QCOMPARE(verify.exitCode(), 0);
        QVERIFY(verify.readAllStandardOutput().startsWith(
            "2 chapters, 1 display records, 11 HyperText entries"));
    }

    void sampleBook_asAnEpubPassesTheValidator()
    {
        CurrentTempDir dir;
        QVERIFY(buildSample(dir, {}));
        QProcess build;
        build.start(QStringLiteral(QUORELLE_BIN_DIR "/quorelle-build"),
                    {dir.filePath(QStringLiteral("book/SAMPLE.QVJ")), QStringLiteral("--epub"),
                     dir.filePath(QStringLiteral("Sample Book.epub"))});
        QVERIFY(build.waitForFinished(120000));
        QCOMPARE(build.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(build.readAllStandardError()).split(u'\n', Qt::SkipEmptyParts),
                 (QStringList{QStringLiteral("The EPUB e-book %1 has been created.")
                                  .arg(dir.filePath(QStringLiteral("Sample Book.epub"))),
                              QStringLiteral("Programs: the EPUB cannot start programs; their "
                                             "links lead to a note."),
                              QStringLiteral("Notepad files: the EPUB cannot open the notepad; "
                                             "their links lead to a note.")}));
        const QString epub = dir.filePath(QStringLiteral("Sample Book.epub"));
        QVERIFY(EpubcheckAccepts(epub));
        // Every chapter, and every phrase of the book as a link.
        const QString chapters =
            QString::fromUtf8(Unzipped(epub, QStringLiteral("EPUB/chapter-1.xhtml")) +
                              Unzipped(epub, QStringLiteral("EPUB/chapter-2.xhtml")));
        QVERIFY(chapters.contains(QStringLiteral("At dawn the ship left the harbour.")));
        QStringList phrases;
        for (const QByteArray& line :
             readBytes(dir.filePath(QStringLiteral("book/SAMPLE.QVR"))).split('\n')) {
            if (line.startsWith('[') && !line.startsWith("[^"))
                phrases << QString::fromLatin1(line.trimmed().mid(1).chopped(1));
        }
        QCOMPARE(phrases.size(), 11);
        for (const QString& phrase : std::as_const(phrases))
            QVERIFY2(chapters.contains(QStringLiteral(">%1</span></a>").arg(phrase)),
                     qPrintable(phrase));
    }

    // The portable book loads Qt from its own folder, not from the system.
    void portableBook_runsOnItsOwnLibraries()
    {
        CurrentTempDir dir;
        QVERIFY(buildSample(dir, {QStringLiteral("--portable")}));
        QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("dist/qt.conf"))));
        QProcess book;
        book.setProcessEnvironment(offscreen());
        book.start(dir.filePath(QStringLiteral("dist/SAMPLE.EXE")), QStringList{});
        QVERIFY(book.waitForStarted());
        QTest::qWait(2500);
        QCOMPARE(book.state(), QProcess::Running);
        const QString maps =
            QString::fromUtf8(readBytes(QStringLiteral("/proc/%1/maps").arg(book.processId())));
        book.kill();
        book.waitForFinished();
        const QString own = QDir(dir.filePath(QStringLiteral("dist/reader-lib"))).canonicalPath();
        int qtLibraries = 0;
        for (const QString& line : maps.split(u'\n')) {
            const qsizetype path = line.indexOf(u'/');
            if (path < 0 || !line.contains(QStringLiteral("libQt6")))
                continue;
            QVERIFY2(line.mid(path).startsWith(own), qPrintable(line));
            ++qtLibraries;
        }
        QVERIFY(qtLibraries > 0);
    }

    // On a Debian system with nothing installed beyond its base, the portable book verifies
    // itself and starts. The system image needs root to enter; CI makes it (scripts/bare-debian).
    void portableBook_runsOnABareSystem()
    {
        const QString image = qEnvironmentVariable(
            "QUORELLE_BARE_DEBIAN", QStringLiteral("/var/cache/quorelle/bare-debian12"));
        if (!QFileInfo(image + QStringLiteral("/usr/bin/apt")).exists())
            QSKIP(qPrintable(
                QStringLiteral("No bare Debian image at %1 (scripts/bare-debian makes one)")
                    .arg(image)));
        if (geteuid() != 0)
            QSKIP("Entering the bare Debian image needs root");
        // A machine that is itself a chroot or a container may refuse new namespaces.
        QProcess probe;
        probe.setProcessChannelMode(QProcess::MergedChannels);
        probe.start(QStringLiteral("unshare"), {QStringLiteral("--mount"), QStringLiteral("--pid"),
                                                QStringLiteral("--fork"), QStringLiteral("true")});
        if (!probe.waitForFinished(30000) || probe.exitStatus() != QProcess::NormalExit ||
            probe.exitCode() != 0)
            QSKIP(qPrintable(QStringLiteral("No mount and PID namespace can be made here: %1")
                                 .arg(QString::fromLocal8Bit(probe.readAll()).trimmed())));
        QVERIFY2(
            !QFileInfo::exists(image + QStringLiteral("/usr/lib/x86_64-linux-gnu/libQt6Core.so.6")),
            "the image is not bare: Qt is installed in it");
        CurrentTempDir dir;
        QVERIFY(buildSample(dir, {QStringLiteral("--portable")}));
        QTemporaryDir inside(image + QStringLiteral("/tmp/book-XXXXXX"));
        QVERIFY(inside.isValid());
        QProcess copy;
        copy.start(QStringLiteral("cp"),
                   {QStringLiteral("-a"), dir.filePath(QStringLiteral("dist/.")), inside.path()});
        QVERIFY(copy.waitForFinished(60000) && copy.exitCode() == 0);
        const QString book = inside.path().mid(image.size()) + QStringLiteral("/SAMPLE.EXE");
        // In a mount namespace of its own, so that the /proc it needs leaves nothing behind; the
        // book must still be running when the timeout ends it (status 124).
        const QString script =
            QStringLiteral("mount -t proc proc /proc && %1 --verify && "
                           "{ HOME=/tmp QT_QPA_PLATFORM=offscreen timeout 4 %1; test $? -eq 124; }")
                .arg(book);
        QProcess run;
        run.start(QStringLiteral("unshare"),
                  {QStringLiteral("--mount"), QStringLiteral("--pid"), QStringLiteral("--fork"),
                   QStringLiteral("chroot"), image, QStringLiteral("/bin/sh"), QStringLiteral("-c"),
                   script});
        QVERIFY(run.waitForFinished(60000));
        const QByteArray output = run.readAllStandardOutput() + run.readAllStandardError();
        QVERIFY2(run.exitCode() == 0, output.constData());
        QVERIFY(output.contains("2 chapters, 1 display records, 11 HyperText entries"));
    }

    void folderWindow_refusesTheProjectDirectory()
    {
        PlatformDoubles platform;
        Book book;
        TDistribForm form(book.state.ProjectDir);
        form.show();
        form.Edit1->setText(book.dir.path().toUpper()); // letter case does not matter
        form.BitBtn1->click();
        QVERIFY(form.isVisible());
        QCOMPARE(platform.messages.texts(),
                 QStringList{QStringLiteral("Files cannot be copied to Project directory.")});
        form.Edit1->setText(book.dir.filePath(QStringLiteral("out")));
        QCOMPARE(form.readerLibraries(), ReaderLibraries::Leave);
        click(form.ReaderLibrariesBox);
        QCOMPARE(form.readerLibraries(), ReaderLibraries::Include);
        form.BitBtn1->click();
        QVERIFY(!form.isVisible());
        QCOMPARE(form.folder(), book.dir.filePath(QStringLiteral("out/")));
    }
};

QTEST_MAIN(DistributionTest)
#include "tst_distribution.moc"
