// The distribution: which files a book needs, the folder window, and the copy.
#include "clicks.h"
#include "doubles.h"
#include "epubcheck.h"
#include "programrun.h"
#include "screenshots.h"
#include "testbook.h"

#include "core/distribution/distribution.h"
#include "core/epub/accessibilityclaim.h"
#include "core/sections/booklanguage.h"
#include "core/sections/hypertext.h"
#include "ui/publish/buildandoffertest.h"
#include "ui/publish/distribform.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// A book of two chapters whose links, commands and display file name every kind of file.
struct Book : TestBook
{
    Book()
    {
        for (const char* name : {"OPEN.BMP", "OPEN.WAV", "PIC.BMP", "SND.WAV", "VOICE.WAV",
                                 "NOTES.TXT", "GAME.EXE", "TILE.BMP", "BOOK.EXE", "POP.JPG"})
            writeBytes(dir.filePath(QString::fromLatin1(name)), name);
        PresentationRecord& p = state.Project.Presentation;
        p.OpeningShown = 1;
        p.Opening.CommandType = 6;
        p.Opening.ComboGraphicFile.setText(u"OPEN.BMP"_s);
        p.Opening.ComboSoundFile.setText(u"OPEN.WAV"_s);
        p.ClosingShown = 1;
        p.Closing.CommandType = 9;
        p.Closing.ProgramFile.setText(u"VIEWER"_s);
        const QString file = state.HyperTextFile;
        AddEntry(file, u"a"_s, 2, u"PIC.BMP,30"_s, kHyperSource);
        AddEntry(file, u"b"_s, 6, u"PIC.BMP,SND.WAV,50"_s, kHyperSource);
        AddEntry(file, u"c"_s, 9, u"WRITE MISSING.TXT"_s, kHyperSource);
        AddEntry(file, u"d"_s, 4, u"GAME.EXE,-x"_s, kHyperSource);
        AddEntry(file, u"e"_s, 13, u"NOTES.TXT"_s, kHyperSource);
        AddEntry(file, u"f"_s, 3, u"VOICE.WAV"_s, kHyperSource);
        DisplayRecord pop = DefaultDisplay();
        pop.GraphicFile.setText(u"POP.JPG"_s);
        AddDisplayEntry(file, u"g"_s, 5, pop, {u"{\\rtf1 x}"_s}, kHyperSource);
        state.CurrentDisplay = DefaultDisplay();
        state.CurrentDisplay.BackType = 3;
        state.CurrentDisplay.WallpaperFile.setText(u"TILE.BMP"_s);
        WriteDisplayFile(state, u"BOOK.QVD"_s);
        addChapter("One", "{\\rtf1 one}");
        addChapter("Two", "{\\rtf1 two}");
    }
};

// A book of one chapter of words alone, that every edition can carry.
struct WordsBook : TestBook
{
    WordsBook() { addChapter("One", "{\\rtf1 Words alone.\\par}"); }
};

// Copies the sample book into `dir`/book and prepares its distribution in `dir`/dist.
bool buildSample(const CurrentTempDir& dir, const QStringList& options)
{
    const QString sample = QStringLiteral(QUORELLE_SOURCE_DIR "/resources/sample");
    if (RunProgram(u"cp"_s, {u"-r"_s, sample, dir.filePath(u"book"_s)}).exitCode != 0)
        return false;
    const ProgramRun build =
        RunBuildTool(QStringList{dir.filePath(u"book/SAMPLE.QVJ"_s), u"--dist"_s,
                                 dir.filePath(u"dist"_s), u"--include-programs"_s} +
                     options);
    if (build.exitCode != 0)
        qWarning() << build.err;
    return build.exitCode == 0;
}

const auto leaveOutPrograms = [](const QString&) { return false; };

} // namespace

class DistributionTest : public QObject
{
    Q_OBJECT

private slots:
    // The files in order, once each, each program asked about: one that the closing command
    // starts is asked about as a link's program is, and one of the system's path is left out,
    // not reported missing. The copy ends with the executable, whatever its letter case.
    void files_inOrderOnceEachAndCopiedWithTheExecutable()
    {
        PlatformDoubles platform;
        Book book;
        QStringList asked;
        const auto leaveOut = [&asked](const QString& program) {
            asked << program;
            return false;
        };
        QCOMPARE(DistributionFiles(book.state, leaveOut),
                 QStringList({u"OPEN.BMP"_s, u"OPEN.WAV"_s, u"PIC.BMP"_s, u"SND.WAV"_s,
                              u"NOTES.TXT"_s, u"VOICE.WAV"_s, u"POP.JPG"_s, u"TILE.BMP"_s}));
        QCOMPARE(asked, QStringList{u"GAME.EXE"_s});
        QVERIFY(DistributionFiles(book.state, [](const QString&) {
                    return true;
                }).contains(u"GAME.EXE"_s));

        asked.clear();
        CommandRecord& closing = book.state.Project.Presentation.Closing;
        closing.CommandType = 4;
        closing.ProgramFile.setText(u"xdg-open,NOTES.TXT"_s);
        const QString target = book.dir.filePath(u"dist/cd"_s);
        QVERIFY(CopyDistribution(book.state, target + QLatin1Char('/'), leaveOut));
        QCOMPARE(asked, QStringList({u"xdg-open"_s, u"GAME.EXE"_s}));
        QCOMPARE(QDir(target).entryList(QDir::Files).size(), 9);
        QVERIFY(QFileInfo(QDir(target).filePath(u"BOOK.EXE"_s)).isExecutable());
        QCOMPARE(platform.messages.texts(),
                 QStringList{u"All the files have been copied to the Directory "_s + target +
                             QLatin1Char('/')});
        QCOMPARE(platform.messages.shown().first().kind, MessageKind::Plain);

        // An executable of another letter case is built over, offered and shipped by its name.
        platform.messages.clear();
        QFile::remove(book.dir.filePath(u"BOOK.EXE"_s));
        writeBytes(book.dir.filePath(u"BOOK.exe"_s), "built on the original platform");
        platform.messages.answer(MessageAnswer::No);
        BuildAndOfferTest(book.state);
        QCOMPARE(
            platform.messages.texts(),
            QStringList{QStringLiteral("The Executable E-Book BOOK.exe has been created.\n\r\n\r"
                                       "Do you want to test it now?")});
        const QString again = book.dir.filePath(u"dist/again"_s);
        QVERIFY(CopyDistribution(book.state, again + QLatin1Char('/'), leaveOutPrograms));
        platform.messages.clear();
        QVERIFY(readBytes(QDir(again).filePath(u"BOOK.exe"_s))
                    .startsWith(readBytes(QStringLiteral(QUORELLE_BIN_DIR "/kestrin.bin"))));
        QVERIFY(!book.dir.entries().contains(u"BOOK.EXE"_s));
    }

    // A copy that cannot be whole is refused before its folder is made, saying why: files that
    // are missing; names that leave the book's folder, or a page link to a program of the book
    // (the desktop would run it), named with their entries, before any missing file; a missing
    // executable before all.
    void copy_refusedBeforeItsFolderIsMade()
    {
        PlatformDoubles platform;
        Book book;
        const QString target = book.dir.filePath(u"dist"_s);
        const auto refused = [&](const QStringList& said) {
            QVERIFY(!CopyDistribution(book.state, target, leaveOutPrograms));
            QCOMPARE(platform.messages.texts(), said);
            QVERIFY(!QDir(target).exists());
            platform.messages.clear();
        };
        QFile::remove(book.dir.filePath(u"SND.WAV"_s));
        QFile::remove(book.dir.filePath(u"TILE.BMP"_s));
        refused({u"The file SND.WAV is missing."_s, u"The file TILE.BMP is missing."_s});
        AddEntry(book.state.HyperTextFile, u"Shadow"_s, 10, u"../../../../etc/shadow"_s,
                 kHyperSource);
        writeBytes(book.dir.filePath(u"RUN.BAT"_s), "format c:");
        AddEntry(book.state.HyperTextFile, u"Run"_s, 10, u"RUN.BAT"_s, kHyperSource);
        AddEntry(book.state.HyperTextFile, u"Web"_s, 10, u"https://example.org/"_s, kHyperSource);
        refused({QStringLiteral("The HyperText entry \"Shadow\" names ../../../../etc/shadow, "
                                "which is not a file of the book's folder."),
                 u"The HyperText entry \"Run\" names RUN.BAT, which is not a web page of the "
                 "book."_s});
        QFile::remove(book.dir.filePath(u"BOOK.EXE"_s));
        refused({u"BOOK.EXE was not found. Please create the Executable program."_s});
    }

    void buildTool_buildsAndRefusesToGuess()
    {
        Book book;
        ProgramRun build = RunBuildTool({u"BOOK.QVJ"_s, u"--dist"_s, u"out"_s});
        QCOMPARE(build.exitCode, 2);
        QVERIFY(build.err.contains(u"The book starts the program GAME.EXE."_s));
        QVERIFY(!QDir(book.dir.filePath(u"out"_s)).exists());
        QCOMPARE(
            RunBuildTool({u"BOOK.QVJ"_s, u"--dist"_s, u"out"_s, u"--exclude-programs"_s}).exitCode,
            0);
        const QStringList copied = QDir(book.dir.filePath(u"out"_s)).entryList(QDir::Files);
        QVERIFY(copied.contains(u"BOOK.EXE"_s) && !copied.contains(u"GAME.EXE"_s));
        QVERIFY(readBytes(book.dir.filePath(u"BOOK.EXE"_s)).size() > 10000); // a real build
        build = RunBuildTool({u"NONE.QVJ"_s});
        QCOMPARE(build.exitCode, 1);
        QVERIFY(build.err.contains(u"File not found"_s));

        // The project folder itself is refused, as the distribution window refuses it.
        const QStringList before = book.dir.entries();
        build = RunBuildTool({u"BOOK.QVJ"_s, u"--dist"_s, u"."_s, u"--exclude-programs"_s});
        QCOMPARE(build.exitCode, 1);
        QVERIFY2(build.err.contains(u"Files cannot be copied to Project directory."_s),
                 qPrintable(build.err));
        QCOMPARE(book.dir.entries(), before);

        // A missing default display file is reported, not made anew in silence.
        QFile::remove(book.dir.filePath(u"BOOK.QVD"_s));
        build = RunBuildTool({u"BOOK.QVJ"_s, u"--exclude-programs"_s});
        QCOMPARE(build.exitCode, 1);
        QVERIFY2(build.err.contains(u"The Display file BOOK.QVD was not found."_s),
                 qPrintable(build.err));
        QVERIFY(!book.dir.entries().contains(u"BOOK.QVD"_s));
    }

    // --report prints a line per chapter with its words, characters and phrases, those without a
    // link named, and the totals; a chapter that cannot be read is named and the exit says so;
    // nothing is written.
    void buildTool_reportsTheBook()
    {
        WordsBook book;
        book.addChapter("Two",
                        "{\\rtf1 {\\ul Tide} and {\\ul harbor} at dwan.\\par {\\ul tide} again.}");
        book.addChapter("Three", {});
        QFile::remove(book.dir.filePath(u"Three.QLF"_s));
        AddEntry(book.state.HyperTextFile, u"tide"_s, 1, u"Low water."_s, kHyperSource);
        WriteBookLanguage(book.state.HyperTextFile, u"en"_s); // spelt as in the US
        const QStringList before = book.dir.entries();
        ProgramRun report = RunBuildTool({u"BOOK.QVJ"_s, u"--report"_s}, book.dir.path());
        QCOMPARE(report.exitCode, 1);
        QCOMPARE(report.out + u'\n' + report.err,
                 u"chapter\twords\tcharacters\tphrases\tunlinked\tunlinked phrases\tmisspelled\t"
                 "misspelled words\n"
                 "One\t2\t12\t0\t0\t\t0\t\n"
                 "Two\t7\t35\t2\t1\tharbor\t1\tdwan\n"
                 "Three\t0\t0\t0\t0\t(Three.QLF could not be read)\t0\t\n"
                 "(total)\t9\t47\t2\t1\t\t1\t\n"
                 "\nThe chapter file Three.QLF could not be read.\n"_s);
        QCOMPARE(book.dir.entries(), before);
        writeBytes(book.dir.filePath(u"Three.QLF"_s), "{\\rtf1 Three.}");
        report = RunBuildTool({u"BOOK.QVJ"_s, u"--report"_s}, book.dir.path());
        QCOMPARE(report.exitCode, 0);
    }

    // --import writes a chapter file from a manuscript, or says why not and writes nothing.
    void buildTool_importsAManuscript()
    {
        CurrentTempDir dir;
        writeBytes(dir.filePath(u"draft.html"_s), "<h1>Night</h1><p>The <u>tide</u> turned.</p>");
        writeBytes(dir.filePath(u"broken.odt"_s), "PK\x03\x04");
        const ProgramRun made = RunBuildTool({u"--import"_s, u"draft.html"_s, u"NIGHT.QLF"_s});
        QCOMPARE(made.exitCode, 0);
        QCOMPARE(made.err, u"draft.html came in with 1 underlined phrase, which is HyperText.\n"
                           "NIGHT.QLF has been written.\n"_s);
        QVERIFY(readBytes(dir.filePath(u"NIGHT.QLF"_s)).startsWith("{\\rtf1"));
        const ProgramRun refused = RunBuildTool({u"--import"_s, u"broken.odt"_s, u"BROKEN.QLF"_s});
        QCOMPARE(refused.exitCode, 1);
        QVERIFY2(refused.err.startsWith(u"broken.odt could not be imported: "_s),
                 qPrintable(refused.err));
        QVERIFY(!QFileInfo::exists(dir.filePath(u"BROKEN.QLF"_s)));
    }

    // A file-size limit is a full disk to the builder: the message names the file, the old
    // executable stays, and no scratch file is left (the limit's signal once killed it).
    void buildTool_underAFileSizeLimitFailsAsOnAFullDisk()
    {
        Book book;
        const ProgramRun build =
            RunProgram(u"prlimit"_s, {u"--fsize=100000"_s, u"--"_s,
                                      QStringLiteral(QUORELLE_BIN_DIR "/quorelle-build"),
                                      u"BOOK.QVJ"_s, u"--exclude-programs"_s});
        QCOMPARE(build.exitCode, 1); // -2 if the signal ended it
        QCOMPARE(build.err.trimmed(), u"Disk full: BOOK.EXE"_s);
        QCOMPARE(readBytes(book.dir.filePath(u"BOOK.EXE"_s)), QByteArray("BOOK.EXE"));
        QCOMPARE(book.dir.entries().filter(u".tmp"_s), QStringList());
    }

    // On a disk mounted read-only the builder says so, rather than that access was denied.
    void buildTool_onAReadOnlyDiskSaysSo()
    {
        if (geteuid() != 0)
            QSKIP("Mounting a read-only folder needs root");
        Book book;
        const QString script =
            u"mount --bind \"$1\" \"$1\" && mount -o remount,ro,bind \"$1\" && cd \"$1\" && "
            "exec \"$2\" BOOK.QVJ --exclude-programs"_s;
        const ProgramRun build = RunProgram(
            u"unshare"_s, {u"--mount"_s, u"sh"_s, u"-c"_s, script, u"sh"_s, book.dir.path(),
                           QStringLiteral(QUORELLE_BIN_DIR "/quorelle-build")});
        QCOMPARE(build.err.trimmed(), u"The disk is read-only: BOOK.EXE"_s);
        QCOMPARE(build.exitCode, 1);
    }

    // The sample book, with every kind of link: its distribution passes the runtime's check, its
    // EPUB the validator (that every phrase is a link is tst_epub's). Underlined phrases without a
    // link are named by every build, which goes on; a phrase is named once however often it is
    // underlined.
    void sampleBook_buildsEveryEdition()
    {
        CurrentTempDir dir;
        QVERIFY(buildSample(dir, {}));
        QCOMPARE(QDir(dir.filePath(u"dist"_s)).entryList(QDir::Files).size(), 10);
        const ProgramRun verified = VerifyBook(dir.filePath(u"dist/SAMPLE.EXE"_s));
        QCOMPARE(verified.exitCode, 0);
        QVERIFY(verified.out.startsWith(u"2 chapters, 1 display records, 11 HyperText entries"_s));

        const QString epub = dir.filePath(u"Sample Book.epub"_s);
        const ProgramRun build =
            RunBuildTool({dir.filePath(u"book/SAMPLE.QVJ"_s), u"--epub"_s, epub});
        QCOMPARE(build.exitCode, 0);
        QCOMPARE(build.err.split(u'\n', Qt::SkipEmptyParts),
                 (QStringList{u"The EPUB e-book %1 has been created."_s.arg(epub),
                              QStringLiteral("Backgrounds: the EPUB shows the chapters on the "
                                             "reading system's own page; the pictures behind them "
                                             "were left out."),
                              QStringLiteral("Programs: the EPUB cannot start programs; their "
                                             "links lead to a note."),
                              QStringLiteral("Notepad files: the EPUB cannot open the notepad; "
                                             "their links lead to a note.")}));
        QVERIFY(EpubcheckAccepts(epub));
        QVERIFY(Unzipped(epub, u"EPUB/chapter-1.xhtml"_s).contains("At dawn the ship left"));

        const QString cross = dir.filePath(u"book/CROSS.QLF"_s);
        QByteArray text = readBytes(cross);
        text.insert(text.lastIndexOf('}'),
                    "\\pard A \\ul Quiet sea\\ulnone , the \\ul \\u1058?\\u1080?\\u1093?\\u1086?"
                    "\\u1077? \\u1084?\\u1086?\\u1088?\\u1077?\\ulnone  and the \\ul quiet "
                    "SEA\\ulnone  again.\\par ");
        writeBytes(cross, text);
        const QString expected =
            u"2 HyperText phrases have no link: Quiet sea, \u0422\u0438\u0445\u043E\u0435 "
            "\u043C\u043E\u0440\u0435\n"_s;
        const auto namesThem = [&](const QStringList& options) {
            const ProgramRun run =
                RunBuildTool(QStringList{dir.filePath(u"book/SAMPLE.QVJ"_s)} + options);
            return run.exitCode == 0 && run.err.contains(expected);
        };
        QVERIFY(namesThem({}));
        QVERIFY(namesThem({u"--epub"_s, dir.filePath(u"book.epub"_s)}));
        QVERIFY(namesThem({u"--dist"_s, dir.filePath(u"again"_s), u"--include-programs"_s}));
    }

    // The sample for readers on both systems: BOOK.EXE for Windows and BOOK.BIN for Linux, both
    // shipped, the Linux one with its libraries, which it loads rather than the system's Qt; a
    // Linux-only build after it is not shipped to Windows readers.
    void sampleBook_forBothSystems()
    {
        CurrentTempDir dir;
        QVERIFY(buildSample(dir, {u"--reader"_s, u"both"_s, u"--portable"_s}));
        const QDir dist(dir.filePath(u"dist"_s));
        QVERIFY(readBytes(dist.filePath(u"SAMPLE.EXE"_s)).startsWith("MZ"));
        QVERIFY(readBytes(dist.filePath(u"SAMPLE.BIN"_s))
                    .startsWith("\x7F"
                                "ELF"));
        QVERIFY(dist.exists(u"reader-lib"_s) && dist.exists(u"qt.conf"_s));
        QCOMPARE(VerifyBook(dist.filePath(u"SAMPLE.BIN"_s)).exitCode, 0);

        QProcess book;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        book.setProcessEnvironment(environment);
        book.start(dist.filePath(u"SAMPLE.BIN"_s), QStringList{});
        QVERIFY(book.waitForStarted());
        QTest::qWait(2500);
        QCOMPARE(book.state(), QProcess::Running);
        const QString maps = QString::fromUtf8(readBytes(u"/proc/%1/maps"_s.arg(book.processId())));
        book.kill();
        book.waitForFinished();
        const QString own = QDir(dist.filePath(u"reader-lib"_s)).canonicalPath();
        int qtLibraries = 0;
        for (const QString& line : maps.split(u'\n')) {
            const qsizetype path = line.indexOf(u'/');
            if (path < 0 || !line.contains(u"libQt6"_s))
                continue;
            QVERIFY2(line.mid(path).startsWith(own), qPrintable(line));
            ++qtLibraries;
        }
        QVERIFY(qtLibraries > 0);

        const QStringList linuxOnly{dir.filePath(u"book/SAMPLE.QVJ"_s), u"--reader"_s, u"linux"_s};
        QCOMPARE(RunBuildTool(linuxOnly).exitCode, 0);
        PlatformDoubles platform;
        WorkingState state;
        state.ProjectDir = dir.filePath(u"book/"_s);
        state.ProjectFile = u"SAMPLE.QVJ"_s;
        state.HyperTextFile = u"SAMPLE.QVR"_s;
        QVERIFY(!CopyDistribution(state, dir.filePath(u"windows/"_s), leaveOutPrograms,
                                  ReaderLibraries::Leave, ReaderSystem::Windows));
        QCOMPARE(platform.messages.texts(),
                 QStringList{u"SAMPLE.EXE was not made for Windows readers. Please create the "
                             u"Executable program again."_s});
    }

    // On a Debian system with nothing installed beyond its base, the portable book verifies
    // itself and starts. The system image needs root to enter; CI makes it (scripts/bare-debian).
    void portableBook_runsOnABareSystem()
    {
        const QString image =
            qEnvironmentVariable("QUORELLE_BARE_DEBIAN", u"/var/cache/quorelle/bare-debian12"_s);
        if (!QFileInfo(image + u"/usr/bin/apt"_s).exists())
            QSKIP(qPrintable(
                u"No bare Debian image at %1 (scripts/bare-debian makes one)"_s.arg(image)));
        if (geteuid() != 0)
            QSKIP("Entering the bare Debian image needs root");
        // A machine that is itself a chroot or a container may refuse new namespaces.
        const ProgramRun probe =
            RunProgram(u"unshare"_s, {u"--mount"_s, u"--pid"_s, u"--fork"_s, u"true"_s});
        if (probe.exitCode != 0)
            QSKIP(qPrintable(u"No mount and PID namespace can be made here: %1"_s.arg(
                (probe.out + probe.err).trimmed())));
        QVERIFY2(!QFileInfo::exists(image + u"/usr/lib/x86_64-linux-gnu/libQt6Core.so.6"_s),
                 "the image is not bare: Qt is installed in it");
        CurrentTempDir dir;
        QVERIFY(buildSample(dir, {u"--portable"_s}));
        QTemporaryDir inside(image + u"/tmp/book-XXXXXX"_s);
        QVERIFY(inside.isValid());
        QCOMPARE(RunProgram(u"cp"_s, {u"-a"_s, dir.filePath(u"dist/."_s), inside.path()}).exitCode,
                 0);
        const QString book = inside.path().mid(image.size()) + u"/SAMPLE.EXE"_s;
        // In a mount namespace of its own, so that the /proc it needs leaves nothing behind; the
        // book must still be running when the timeout ends it (status 124).
        const QString script =
            QStringLiteral("mount -t proc proc /proc && %1 --verify && "
                           "{ HOME=/tmp QT_QPA_PLATFORM=offscreen timeout 4 %1; test $? -eq 124; }")
                .arg(book);
        const ProgramRun run =
            RunProgram(u"unshare"_s, {u"--mount"_s, u"--pid"_s, u"--fork"_s, u"chroot"_s, image,
                                      u"/bin/sh"_s, u"-c"_s, script});
        const QString output = run.out + run.err;
        QVERIFY2(run.exitCode == 0, qPrintable(output));
        QVERIFY(output.contains(u"2 chapters, 1 display records, 11 HyperText entries"_s));
        // The plugins find their libraries among the book's own.
        QVERIFY2(!output.contains(u"cannot"_s), qPrintable(output));
    }

    // The author says the book's accessibility was checked, and under which name (the About
    // box's author unless another is typed); the book keeps the word for its next EPUB.
    void epubButton_storesTheAuthorsWordOnAccessibility()
    {
        PlatformDoubles platform;
        WordsBook book;
        WorkingState& state = book.state;
        const CurrentTempDir& dir = book.dir;
        state.Project.Presentation.About.AuthorText.setText(u"Ada Byron"_s);
        const auto createEpub = [&](bool check, const QString& name) {
            platform.modal.expect<TDistribForm>([&](TDistribForm& form) {
                QCOMPARE(form.CheckedByEdit->isEnabled(), form.AccessibilityBox->isChecked());
                if (form.AccessibilityBox->isChecked() != check)
                    click(form.AccessibilityBox);
                if (!name.isEmpty()) {
                    form.CheckedByEdit->selectAll();
                    QTest::keyClicks(form.CheckedByEdit, name);
                }
                form.Edit1->setText(dir.filePath(u"out"_s));
                KeepScreenshot(form, u"TDistribForm-accessibility"_s);
                click(form.EpubBtn);
                form.reject();
            });
            PrepareDistribution(state, nullptr);
        };
        createEpub(true, {});
        QCOMPARE(AccessibilityCheckedBy(state.HyperTextFile), std::optional(u"Ada Byron"_s));
        QVERIFY(QFileInfo::exists(dir.filePath(u"out/BOOK.epub"_s)));
        createEpub(true, u"Grace Hopper"_s);
        QCOMPARE(AccessibilityCheckedBy(state.HyperTextFile), std::optional(u"Grace Hopper"_s));
        createEpub(false, {});
        QCOMPARE(AccessibilityCheckedBy(state.HyperTextFile), std::nullopt);
        QCOMPARE(platform.messages.texts().filter(u"has been created"_s).size(), 3);
    }

    // Alt+W in the distribution window writes the web edition beside where the EPUB goes, and
    // says so (that a new edition replaces an old one whole is tst_webedition's).
    void webButton_writesTheWebEditionByItsAltKey()
    {
        PlatformDoubles platform;
        WordsBook book;
        const QString edition = book.dir.filePath(u"out/BOOK-web"_s);
        platform.modal.expect<TDistribForm>([&](TDistribForm& form) {
            form.Edit1->setText(book.dir.filePath(u"out"_s));
            QVERIFY(QTest::qWaitForWindowActive(&form));
            QTest::keyClick(&form, Qt::Key_W, Qt::AltModifier); // a button's Alt key clicks late
            QTRY_VERIFY_WITH_TIMEOUT(!platform.messages.texts().isEmpty(), 20000);
            form.reject();
        });
        PrepareDistribution(book.state, nullptr);
        QVERIFY2(QFileInfo::exists(edition + u"/index.html"_s),
                 qPrintable(platform.messages.texts().join(u'\n')));
        QVERIFY(QFileInfo::exists(edition + u"/chapters/1.js"_s));
        const QStringList said = platform.messages.texts();
        QCOMPARE(said.size(), 1);
        QVERIFY2(said.first().contains(u"BOOK-web"_s) &&
                     said.first().contains(u"has been created"_s),
                 qPrintable(said.first()));
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
                 QStringList{u"Files cannot be copied to Project directory."_s});
        form.Edit1->setText(book.dir.filePath(u"out"_s));
        QCOMPARE(form.readerLibraries(), ReaderLibraries::Leave);
        click(form.ReaderLibrariesBox);
        QCOMPARE(form.readerLibraries(), ReaderLibraries::Include);
        form.BitBtn1->click();
        QVERIFY(!form.isVisible());
        QCOMPARE(form.folder(), book.dir.filePath(u"out/"_s));
    }
};

QTEST_MAIN(DistributionTest)
#include "tst_distribution.moc"
