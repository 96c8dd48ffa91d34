// Project file, chapter list and display file routines, opening a project, and converting the
// projects the earlier version made.
#include "messagerecorder.h"
#include "recordbytes.h"
#include "testdir.h"
#include "thrown.h"

#include "core/files/runtimeerror.h"
#include "core/project/chapters.h"
#include "core/project/conversion.h"
#include "core/project/oldentryfile.h"
#include "core/project/openproject.h"
#include "core/project/programconfig.h"
#include "core/project/projectfiles.h"
#include "core/project/reclist.h"
#include "core/sections/sectionfile.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString kQuestion = QStringLiteral(
    "BOOK.QVJ was created with an earlier version of Quorelle. Would you like to convert it to the "
    "new version?");

void oldDisplayAt(RecordBytes& r, int at)
{
    r.i32(at, 0xFFFFFF).u8(at + 4, 0).i32(at + 5, 2).i32(at + 9, 0x808080);
    r.str(at + 13, "BACK.JPG").i32(at + 39, 11).i32(at + 43, 22);
    r.i32(at + 47, 333).i32(at + 51, 144).i32(at + 55, -1).u8(at + 67, 1);
}

void oldCommandAt(RecordBytes& r, int at, int type, const QByteArray& command)
{
    r.i16(at, type).str(at + 2, "PIC.BMP").str(at + 41, "SND.WAV").str(at + 54, "PROG.EXE");
    r.i16(at + 105, 3).str(at + 107, command);
}

QByteArray oldProjectBytes()
{
    RecordBytes r(3433);
    r.str(0, "1.0");
    r.u8(5, 1).str(6, "Chapter title").str(5 + 82, "12 0 1 Arial").i32(5 + 133, 0xFF);
    r.i32(279, 0x00AABBCC);
    r.str(283, "My Old Book").u8(283 + 81, 1).str(283 + 82, "BOOK.ICO");
    r.u8(283 + 95, 1).str(283 + 96, "BOOK.HLP").i32(283 + 109, 42).u8(283 + 113, 1);
    const int presentation = 397;
    r.u8(presentation, 1).str(presentation + 1 + 1, "Intro title").u8(presentation + 1 + 342, 0);
    oldDisplayAt(r, presentation + 1 + 274);
    r.u8(presentation + 344, 1);
    oldCommandAt(r, presentation + 345, 4, "prog.exe data.txt");
    r.u8(presentation + 513, 1);
    oldCommandAt(r, presentation + 514, 9, "a b c");
    r.u8(presentation + 682, 1);
    const int about = presentation + 683;
    r.i16(about, 2).str(about + 2, "About it").u8(about + 43, 1).str(about + 44, "ABOUT.ICO");
    r.str(about + 57, "Prog").str(about + 90, "v1").str(about + 133, "Me");
    r.str(about + 374, "Last line");
    r.str(presentation + 1123, "&Info").str(presentation + 1123 + 102, "Go!");
    const int menu = 1648;
    r.str(menu + 1, "Menu title");
    oldDisplayAt(r, menu + 274);
    r.u8(menu + 342, 1).str(menu + 343, "Author one").str(menu + 343 + 305, "Author six");
    r.i32(menu + 343 + 366, 0x0000FF).str(menu + 343 + 370, "10 0 1 Arial");
    r.i16(menu + 343 + 421, 7).i16(menu + 343 + 427, 99).i32(menu + 343 + 429, 12345);
    r.u8(menu + 784, 0);
    return r.bytes();
}

QByteArray oldChapterBytes(const QByteArray& entry, const QByteArray& file,
                           const QByteArray& display)
{
    RecordBytes r(156);
    r.str(1, entry).str(62, file).str(143, display);
    return r.bytes();
}

// A folder holding an earlier version's project file, and the state that opens it.
struct OldBook
{
    CurrentTempDir dir;
    ModelDoubles platform;
    WorkingState state;

    OldBook()
    {
        writeBytes(dir.filePath(u"BOOK.QVJ"_s), oldProjectBytes());
        state.ProjectFile = u"BOOK.QVJ"_s;
    }
};

} // namespace

class ProjectFilesTest : public QObject
{
    Q_OBJECT

private:
    static WorkingState openState(const QString& projectFile = u"BOOK.QVJ"_s)
    {
        WorkingState state;
        state.ProjectFile = projectFile;
        state.ChapterListFile = u"BOOK.QVC"_s;
        state.HyperTextFile = u"BOOK.QVR"_s;
        return state;
    }

    static void appendChapter(WorkingState& state, const char* entry)
    {
        state.CurrentChapter = ChapterRecord{};
        state.CurrentChapter.MenuEntry.setText(QString::fromLatin1(entry));
        state.CurrentChapter.ChapterFile.setText(u"CH.QLF"_s);
        state.CurrentChapter.DisplayFile.setText(u"BOOK.QVD"_s);
        WriteChapter(state, -1);
    }

    static QStringList menuEntries(const WorkingState& state)
    {
        QStringList entries;
        LoadMenuEntries(state, entries);
        return entries;
    }

private slots:
    void openNewFolder_createsExactlyProjectAndDisplayFiles()
    {
        CurrentTempDir dir;
        ModelDoubles platform;
        WorkingState state;
        state.ProjectFile = dir.filePath(u"BOOK.QVJ"_s);
        OpenProject(state);

        QCOMPARE(state.ProjectFile, u"BOOK.QVJ"_s);
        QCOMPARE(state.ChapterListFile, u"BOOK.QVC"_s);
        QCOMPARE(state.HyperTextFile, u"BOOK.QVR"_s);
        QCOMPARE(dir.entries(), QStringList({u"BOOK.QVD"_s, u"BOOK.QVJ"_s}));
        QCOMPARE(readBytes(dir.filePath(u"BOOK.QVJ"_s)), defaultProjectBytes());
        QCOMPARE(readBytes(dir.filePath(u"BOOK.QVD"_s)), defaultDisplayBytes());
        QCOMPARE(state.MediaPrompt, u"Press the Start button"_s);
        QVERIFY(platform.messages.shown().isEmpty());
    }

    // A short project file is refused and left as it was; a whole one is found in any case, read,
    // and left unchanged.
    void openExisting_shortRefusedWholeReadAndBothUnchanged()
    {
        CurrentTempDir dir;
        const QByteArray shortFile = defaultProjectBytes().left(5376);
        writeBytes(dir.filePath(u"BOOK.QVJ"_s), shortFile);
        WorkingState state = openState();
        QCOMPARE(thrownText<InOutError>([&] { OpenProject(state); }),
                 u"Read beyond end of file: BOOK.QVJ"_s);
        QCOMPARE(dir.entries(), QStringList{u"BOOK.QVJ"_s});
        QCOMPARE(readBytes(dir.filePath(u"BOOK.QVJ"_s)), shortFile);

        QFile::remove(dir.filePath(u"BOOK.QVJ"_s));
        QByteArray project = defaultProjectBytes();
        project[279] = 5;
        project.replace(280, 5, "Alice");
        writeBytes(dir.filePath(u"book.qvj"_s), project);
        state = openState(u"BOOK.QVJ"_s); // found without regard to case
        OpenProject(state);
        QCOMPARE(state.BookTitle, u"Alice"_s);
        QCOMPARE(readBytes(dir.filePath(u"book.qvj"_s)), project);
    }

    void chapterList_writeReadAppendReplace()
    {
        CurrentTempDir dir;
        WorkingState state = openState();
        QStringList entries;
        QVERIFY(!LoadMenuEntries(state, entries));

        appendChapter(state, "One");
        appendChapter(state, "Two");
        appendChapter(state, "Three");
        QCOMPARE(readBytes(dir.filePath(u"BOOK.QVC"_s)).left(169),
                 chapterBytes("One", "CH.QLF", "BOOK.QVD"));

        state.CurrentChapter.MenuEntry.setText(QString(70, QLatin1Char('x')));
        WriteChapter(state, 1);
        ReadChapter(state, 1);
        QCOMPARE(state.CurrentChapter.MenuEntry.text(), QString(60, QLatin1Char('x')));
        QCOMPARE(menuEntries(state),
                 QStringList({u"One"_s, QString(60, QLatin1Char('x')), u"Three"_s}));

        TRecList records;
        QVERIFY(LoadChapterRecords(state, records));
        QCOMPARE(records.Count(), 3);
        QCOMPARE(records.at<ChapterRecord>(2).MenuEntry.text(), u"Three"_s);
        QVERIFY_THROWS_EXCEPTION(InOutError, ReadChapter(state, 3));
    }

    void compaction_data()
    {
        QTest::addColumn<QList<int>>("removed");
        QTest::addColumn<QStringList>("remaining");
        QTest::newRow("middle") << QList<int>{1} << QStringList{u"A"_s, u"C"_s};
        QTest::newRow("first and last") << QList<int>{0, 2} << QStringList{u"B"_s};
        QTest::newRow("none marked") << QList<int>{} << QStringList{u"A"_s, u"B"_s, u"C"_s};
    }

    void compaction()
    {
        QFETCH(QList<int>, removed);
        QFETCH(QStringList, remaining);
        CurrentTempDir dir;
        WorkingState state = openState();
        for (const char* entry : {"A", "B", "C"})
            appendChapter(state, entry);
        for (int index : removed) {
            ReadChapter(state, index);
            state.CurrentChapter.Removed = 1;
            WriteChapter(state, index);
        }
        CompactChapterList(state);
        QCOMPARE(menuEntries(state), remaining);
        QCOMPARE(dir.entries(), QStringList{u"BOOK.QVC"_s});
    }

    void compactingTheOnlyChapter_deletesTheList()
    {
        CurrentTempDir dir;
        WorkingState state = openState();
        appendChapter(state, "Only");
        state.CurrentChapter.Removed = 1;
        WriteChapter(state, 0);
        CompactChapterList(state);
        QVERIFY(dir.entries().isEmpty());
    }

    void rewrites_leaveAFileNamedLikeTheScratchInAnotherCaseAlone()
    {
        CurrentTempDir dir;
        WorkingState state = openState();
        for (const char* entry : {"A", "B"})
            appendChapter(state, entry);
        writeBytes(dir.filePath(u"book.tmp"_s), "mine"); // the scratch is BOOK.TMP
        RemoveChapterAt(state, 0);
        QCOMPARE(menuEntries(state), QStringList{u"B"_s});

        const QString hyper = u"BOOK.QVR"_s;
        AddEntry(hyper, u"Pop"_s, 3, u"P.WAV"_s, u"HYPER"_s);
        AddEntry(hyper, u"Sun"_s, 3, u"S.WAV"_s, u"HYPER"_s);
        DeleteEntry(hyper, u"Pop"_s, u"HYPER"_s);
        QStringList names;
        ListEntries(names, hyper, u"HYPER"_s);
        QCOMPARE(names, QStringList{u"Sun"_s});
        QCOMPARE(readBytes(dir.filePath(u"book.tmp"_s)), QByteArray("mine"));
        QCOMPARE(dir.entries(), QStringList({u"BOOK.QVC"_s, u"BOOK.QVR"_s, u"book.tmp"_s}));
    }

    void damagedChapterList_isReportedAndLeftAlone()
    {
        CurrentTempDir dir;
        const QByteArray damaged = chapterBytes("A", "A.QLF", "A.QVD") + QByteArray(31, 'x');
        writeBytes(dir.filePath(u"BOOK.QVC"_s), damaged);
        WorkingState state = openState();
        QStringList entries;
        QCOMPARE(thrownText<InOutError>([&] { LoadMenuEntries(state, entries); }),
                 u"The chapter list BOOK.QVC is damaged: its length is not a whole number of "
                 "chapter records."_s);
        QVERIFY_THROWS_EXCEPTION(InOutError, WriteChapter(state, -1));
        QVERIFY_THROWS_EXCEPTION(InOutError, CompactChapterList(state));
        QCOMPARE(readBytes(dir.filePath(u"BOOK.QVC"_s)), damaged);
    }

    void displayFile_earlierFormConvertedOnFirstRead_currentOneRoundTrips()
    {
        CurrentTempDir dir;
        RecordBytes old(68);
        old.i32(0, 0x00FF8040).u8(4, 0).i32(5, 3).i32(9, 0x123456);
        old.str(13, "PICTURE1.BMP").str(26, "PAPER.BMP");
        old.i32(39, 10).i32(43, 20).i32(47, 300).i32(51, 150);
        old.i32(55, 77).i32(59, 88).u8(67, 1);
        writeBytes(dir.filePath(u"OLD.QVD"_s), old.bytes());

        WorkingState state;
        ReadDisplayFile(state, u"OLD.QVD"_s);
        RecordBytes expected(340);
        expected.i32(0, 0x00FF8040).u8(4, 0).i32(5, 3).i32(9, 0x123456);
        expected.str(13, "PICTURE1.BMP").str(164, "PAPER.BMP");
        expected.i32(315, 10).i32(319, 20).i32(323, 300).i32(327, 150);
        expected.i32(331, 1).i32(335, 1).u8(339, 1);
        QCOMPARE(readBytes(dir.filePath(u"OLD.QVD"_s)), expected.bytes());
        QCOMPARE(state.CurrentDisplay.WallpaperFile.text(), u"PAPER.BMP"_s);
        QCOMPARE(+state.CurrentDisplay.RLTop, 1);

        // Written and read back whole; a short file refused.
        state.CurrentDisplay = DefaultDisplay();
        state.CurrentDisplay.WinLeft = -5;
        state.CurrentDisplay.GraphicFile.setText(u"SKY.JPG"_s);
        WriteDisplayFile(state, u"A.QVD"_s);
        state.CurrentDisplay = DisplayRecord{};
        ReadDisplayFile(state, u"A.QVD"_s);
        QCOMPARE(+state.CurrentDisplay.WinLeft, -5);
        QCOMPARE(state.CurrentDisplay.GraphicFile.text(), u"SKY.JPG"_s);
        QCOMPARE(readBytes(dir.filePath(u"A.QVD"_s)).size(), 340);

        writeBytes(dir.filePath(u"SHORT.QVD"_s), QByteArray(100, '\0'));
        QVERIFY_THROWS_EXCEPTION(InOutError, ReadDisplayFile(state, u"SHORT.QVD"_s));
    }

    void iconAndHelpFile_switchAndNameGoTogether()
    {
        ConfigRecord config = DefaultConfig();
        config.UseIcon = 1;
        config.UseHelpFile = 1;
        config.HelpTopic = 7;
        SettleIconAndHelpFile(config); // switched on, but nothing chosen
        QCOMPARE(config.UseIcon, 0);
        QCOMPARE(config.UseHelpFile, 0);
        QCOMPARE(config.HelpTopic, 0);

        config.IconFile.setText(u"BOOK.ICO"_s);
        config.HelpFile.setText(u"BOOK.HLP"_s);
        config.HelpTopic = 3;
        SettleIconAndHelpFile(config); // chosen, but switched off
        QVERIFY(config.IconFile.text().isEmpty() && config.HelpFile.text().isEmpty());
        QCOMPARE(config.HelpTopic, 0);

        config.UseIcon = 1;
        config.IconFile.setText(u"BOOK.ICO"_s);
        config.UseHelpFile = 1;
        config.HelpFile.setText(u"BOOK.HLP"_s);
        config.HelpTopic = 0;
        SettleIconAndHelpFile(config); // a topic below 1 drops the help file
        QCOMPARE(config.UseIcon, 1);
        QCOMPARE(config.IconFile.text(), u"BOOK.ICO"_s);
        QCOMPARE(config.UseHelpFile, 0);
        QVERIFY(config.HelpFile.text().isEmpty());
    }

    void earlierProject_convertsEveryFileAfterYes()
    {
        OldBook old;
        writeBytes(old.dir.filePath(u"BOOK.QVC"_s),
                   oldChapterBytes("First", "ONE.QLF", "ONE.QVD") +
                       oldChapterBytes("Second", "TWO.QLF", "TWO.QVD"));
        writeBytes(old.dir.filePath(u"BOOK.QVR"_s),
                   "[Sun]\r\nsource=HYPER\r\ntype=6\r\ncommand=PIC.BMP SND.WAV 50\r\n]\r\n\r\n");
        old.platform.messages.answer(MessageAnswer::Yes);

        OpenProject(old.state);

        QCOMPARE(old.platform.messages.texts(),
                 QStringList({kQuestion, u"file copied"_s, u"opening BOOK.QVC"_s}));
        QCOMPARE(old.platform.messages.shown().at(1).kind, MessageKind::Plain);
        QCOMPARE(old.dir.entries(),
                 QStringList({u"BOOK.QVC"_s, u"BOOK.QVD"_s, u"BOOK.QVJ"_s, u"BOOK.QVR"_s}));

        QCOMPARE(readBytes(old.dir.filePath(u"BOOK.QVJ"_s)).size(), 5377);
        const ProjectRecord& p = old.state.Project;
        QCOMPARE(p.Version.text(), u"2.1"_s);
        QCOMPARE(p.ChapterBars.TitleText.text(), u"Chapter title"_s);
        QCOMPARE(+p.ChapterBars.TitleColor, 0xFF);
        QCOMPARE(p.Config.BookTitle.text(), u"My Old Book"_s);
        QCOMPARE(p.Config.IconFile.text(), u"BOOK.ICO"_s);
        QCOMPARE(p.Config.HelpFile.text(), u"BOOK.HLP"_s);
        QCOMPARE(+p.Config.HelpTopic, 42);
        QCOMPARE(+p.Config.VideoAdvisory, 1);
        QCOMPARE(+p.Config.ProgBackType, 1);
        QCOMPARE(+p.Config.ProgBackColor, 0x00AABBCC);
        QVERIFY(p.Config.ProgGraphicFile.isEmpty() && p.Config.ProgWallpaperFile.isEmpty());

        const PresentationRecord& pr = p.Presentation;
        QCOMPARE(pr.Intro.IntroBars.TitleText.text(), u"Intro title"_s);
        QCOMPARE(pr.Intro.IntroDisplay.GraphicFile.text(), u"BACK.JPG"_s);
        QCOMPARE(+pr.Intro.IntroDisplay.WinWidth, 333);
        QCOMPARE(+pr.Intro.IntroDisplay.RLTop, 1);
        QCOMPARE(+pr.Intro.IntroDisplay.PrintAllowed, 1);
        QCOMPARE(+pr.Intro.UseMenuBar, 0);
        QCOMPARE(+pr.Opening.CommandType, 4);
        QCOMPARE(pr.Opening.ComboSoundFile.text(), u"SND.WAV"_s);
        QCOMPARE(pr.Opening.ProgramFile.text(), u"PROG.EXE"_s);
        QCOMPARE(+pr.Opening.GraphicOption, 3);
        QCOMPARE(pr.Opening.Command.text(), u"prog.exe,data.txt"_s);
        QCOMPARE(pr.Closing.Command.text(), u"a,b c"_s);
        QCOMPARE(+pr.About.AboutWhen, 2);
        QCOMPARE(pr.About.IconFile.text(), u"ABOUT.ICO"_s);
        QCOMPARE(pr.About.AuthorText.text(), u"Me"_s);
        QCOMPARE(pr.About.Comment4.text(), u"Last line"_s);
        QCOMPARE(pr.Captions.AboutCaption.text(), u"&Info"_s);
        QCOMPARE(old.state.MediaPrompt, u"Go!"_s);

        const MenuRecord& m = p.Menu;
        QCOMPARE(m.MenuBars.TitleText.text(), u"Menu title"_s);
        QCOMPARE(+m.MenuDisplay.WinLeft, 11);
        QCOMPARE(+m.UseAuthorBox, 1);
        QCOMPARE(m.Author.AuthorLine6.text(), u"Author six"_s);
        QCOMPARE(+m.Author.AuthorColor, 0x0000FF);
        QCOMPARE(+m.Author.AuthorTop, 7);
        QCOMPARE(+m.Author.AuthorWidth, 99);
        QCOMPARE(+m.Author.AuthorReserved1, 1);
        QCOMPARE(+m.Author.AuthorReserved2, 1);
        QCOMPARE(+m.MenuBarShown, 0);

        QStringList entries;
        QVERIFY(LoadMenuEntries(old.state, entries));
        QCOMPARE(entries, QStringList({u"First"_s, u"Second"_s}));
        ReadChapter(old.state, 1);
        QCOMPARE(old.state.CurrentChapter.ChapterFile.text(), u"TWO.QLF"_s);
        QCOMPARE(old.state.CurrentChapter.DisplayFile.text(), u"TWO.QVD"_s);
        QCOMPARE(readBytes(old.dir.filePath(u"BOOK.QVR"_s)),
                 QByteArray(
                     "[Sun]\r\nsource=HYPER\r\ntype=6\r\ncommand=PIC.BMP,SND.WAV,50\r\n]\r\n\r\n"));

        // Converted once: the next opening asks nothing.
        old.platform.messages.clear();
        OpenProject(old.state);
        QVERIFY(old.platform.messages.shown().isEmpty());
    }

    void earlierProject_declinedIsNotChanged_acceptedWithoutChapterList()
    {
        OldBook old;
        old.platform.messages.answer(MessageAnswer::No);
        OpenProject(old.state);
        QCOMPARE(old.platform.messages.texts(), QStringList{kQuestion});
        QVERIFY(old.state.ProjectFile.isEmpty() && old.state.HyperTextFile.isEmpty() &&
                old.state.ChapterListFile.isEmpty());
        QCOMPARE(old.dir.entries(), QStringList{u"BOOK.QVJ"_s});
        QCOMPARE(readBytes(old.dir.filePath(u"BOOK.QVJ"_s)), oldProjectBytes());

        // Accepted later, without a chapter list: the list is skipped.
        old.state.ProjectFile = u"BOOK.QVJ"_s;
        old.platform.messages.answer(MessageAnswer::Yes);
        OpenProject(old.state);
        QCOMPARE(old.platform.messages.texts(), QStringList({kQuestion, kQuestion}));
        QCOMPARE(old.dir.entries(), QStringList({u"BOOK.QVD"_s, u"BOOK.QVJ"_s}));
        QCOMPARE(old.state.Project.Config.BookTitle.text(), u"My Old Book"_s);
    }

    // A current project whose version tag is damaged to "1.x" is not taken for an earlier one:
    // its size says what it is, and it opens unchanged.
    void currentProjectWithAnOldTag_opensAsItIs()
    {
        OldBook old;
        QByteArray current = defaultProjectBytes();
        current.replace(1, 3, "1.x");
        writeBytes(old.dir.filePath(u"BOOK.QVJ"_s), current);
        OpenProject(old.state);
        QVERIFY(old.state.isProjectOpen());
        QCOMPARE(readBytes(old.dir.filePath(u"BOOK.QVJ"_s)), current);
        QVERIFY(old.platform.messages.shown().isEmpty());
    }

    void earlierProject_damagedChapterList_changesNothingAndIsOfferedAgain()
    {
        OldBook old;
        const QByteArray damaged = oldChapterBytes("First", "ONE.QLF", "ONE.QVD") + "tail";
        writeBytes(old.dir.filePath(u"BOOK.QVC"_s), damaged);
        for (int attempt = 0; attempt < 2; ++attempt) {
            old.platform.messages.answer(MessageAnswer::Yes);
            WorkingState state = old.state;
            QVERIFY_THROWS_EXCEPTION(InOutError, OpenProject(state));
            QCOMPARE(old.platform.messages.texts(), QStringList{kQuestion}); // asked every time
            old.platform.messages.clear();
        }
        QCOMPARE(readBytes(old.dir.filePath(u"BOOK.QVJ"_s)), oldProjectBytes());
        QCOMPARE(readBytes(old.dir.filePath(u"BOOK.QVC"_s)), damaged);
        QCOMPARE(old.dir.entries(), QStringList({u"BOOK.QVC"_s, u"BOOK.QVJ"_s}));
    }

    void earlierProject_unwritableCopy_reportsTheRealError()
    {
        OldBook old;
        writeBytes(old.dir.filePath(u"BOOK.QVC"_s), oldChapterBytes("First", "ONE.QLF", "ONE.QVD"));
        QDir(old.dir.path()).mkdir(u"BOOK.OLD"_s); // the copy's name is taken by a folder
        QDir(old.dir.path()).mkdir(u"BOOK.OLD/BOOK.QVC"_s);
        old.platform.messages.answer(MessageAnswer::Yes);
        const QString error = thrownText<RunTimeError>([&] { OpenProject(old.state); });
        QVERIFY2(!error.contains(u"Disk full"_s), qPrintable(error));
        old.platform.messages.clear();
    }

    void oldEntryFile_changesOnlyPictureCommands()
    {
        CurrentTempDir dir;
        writeBytes(dir.filePath(u"B.QVR"_s), "[a]\r\ntype=2\r\ncommand=A.BMP 30\r\n]\r\n"
                                             "[b]\r\ntype=6\r\ncommand=P.BMP S.WAV 50 x\r\n]\r\n"
                                             "[c]\r\ntype=3\r\ncommand=V.WAV 1\r\n]\r\n"
                                             "[d]\ntype=2\ncommand=NOBLANK.BMP\n]\n"
                                             "type=6");
        ConvertOldEntryFile(u"B.QVR"_s);
        QCOMPARE(readBytes(dir.filePath(u"B.QVR"_s)),
                 QByteArray("[a]\r\ntype=2\r\ncommand=A.BMP,30\r\n]\r\n"
                            "[b]\r\ntype=6\r\ncommand=P.BMP,S.WAV,50 x\r\n]\r\n"
                            "[c]\r\ntype=3\r\ncommand=V.WAV 1\r\n]\r\n"
                            "[d]\r\ntype=2\r\ncommand=NOBLANK.BMP\r\n]\r\n"
                            "type=6\r\n"));
        QCOMPARE(dir.entries(), QStringList{u"B.QVR"_s});

        ConvertOldEntryFile(u"MISSING.QVR"_s);
        QCOMPARE(dir.entries(), QStringList{u"B.QVR"_s});
    }
};

QTEST_GUILESS_MAIN(ProjectFilesTest)
#include "tst_projectfiles.moc"
