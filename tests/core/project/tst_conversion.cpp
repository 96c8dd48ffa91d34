// Opening and converting projects made by the earlier version.
#include "messagerecorder.h"
#include "recordbytes.h"
#include "testdir.h"
#include "thrown.h"

#include "core/project/conversion.h"
#include "core/project/oldentryfile.h"
#include "core/project/openproject.h"
#include "core/project/projectfiles.h"

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

class ConversionTest : public QObject
{
    Q_OBJECT

private slots:
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

QTEST_GUILESS_MAIN(ConversionTest)
#include "tst_conversion.moc"
