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

namespace {

const QString kQuestion = QStringLiteral(
    "BOOK.QVJ was created with an earlier version of Quorelle. Would you like to convert it to the "
    "new version?");

void oldDisplayAt(RecordBytes& r, int at)
{
    r.i32(at, 0xFFFFFF).u8(at + 4, 0).i32(at + 5, 2).i32(at + 9, 0x808080);
    r.str(at + 13, "BACK.JPG")
        .i32(at + 39, 11)
        .i32(at + 43, 22)
        .i32(at + 47, 333)
        .i32(at + 51, 144);
    r.i32(at + 55, -1).u8(at + 67, 1);
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
    r.str(about + 57, "Prog")
        .str(about + 90, "v1")
        .str(about + 133, "Me")
        .str(about + 374, "Last line");
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

} // namespace

class ConversionTest : public QObject
{
    Q_OBJECT

private slots:
    void earlierProject_convertsEveryFileAfterYes()
    {
        CurrentTempDir dir;
        ModelDoubles platform;
        writeBytes(dir.filePath(QStringLiteral("BOOK.QVJ")), oldProjectBytes());
        writeBytes(dir.filePath(QStringLiteral("BOOK.QVC")),
                   oldChapterBytes("First", "ONE.QLF", "ONE.QVD") +
                       oldChapterBytes("Second", "TWO.QLF", "TWO.QVD"));
        writeBytes(dir.filePath(QStringLiteral("BOOK.QVR")),
                   "[Sun]\r\nsource=HYPER\r\ntype=6\r\ncommand=PIC.BMP SND.WAV 50\r\n]\r\n\r\n");
        platform.messages.answer(MessageAnswer::Yes);

        WorkingState state;
        state.ProjectFile = QStringLiteral("BOOK.QVJ");
        OpenProject(state);

        QCOMPARE(platform.messages.texts(), QStringList({kQuestion, QStringLiteral("file copied"),
                                                         QStringLiteral("opening BOOK.QVC")}));
        QCOMPARE(platform.messages.shown().at(1).kind, MessageKind::Plain);
        QCOMPARE(dir.entries(),
                 QStringList({QStringLiteral("BOOK.QVC"), QStringLiteral("BOOK.QVD"),
                              QStringLiteral("BOOK.QVJ"), QStringLiteral("BOOK.QVR")}));

        const QByteArray project = readBytes(dir.filePath(QStringLiteral("BOOK.QVJ")));
        QCOMPARE(project.size(), 5377);
        const ProjectRecord& p = state.Project;
        QCOMPARE(p.Version.text(), QStringLiteral("2.1"));
        QCOMPARE(p.ChapterBars.TitleText.text(), QStringLiteral("Chapter title"));
        QCOMPARE(+p.ChapterBars.TitleColor, 0xFF);
        QCOMPARE(p.Config.BookTitle.text(), QStringLiteral("My Old Book"));
        QCOMPARE(p.Config.IconFile.text(), QStringLiteral("BOOK.ICO"));
        QCOMPARE(p.Config.HelpFile.text(), QStringLiteral("BOOK.HLP"));
        QCOMPARE(+p.Config.HelpTopic, 42);
        QCOMPARE(+p.Config.VideoAdvisory, 1);
        QCOMPARE(+p.Config.ProgBackType, 1);
        QCOMPARE(+p.Config.ProgBackColor, 0x00AABBCC);
        QVERIFY(p.Config.ProgGraphicFile.isEmpty() && p.Config.ProgWallpaperFile.isEmpty());

        const PresentationRecord& pr = p.Presentation;
        QCOMPARE(pr.Intro.IntroBars.TitleText.text(), QStringLiteral("Intro title"));
        QCOMPARE(pr.Intro.IntroDisplay.GraphicFile.text(), QStringLiteral("BACK.JPG"));
        QCOMPARE(+pr.Intro.IntroDisplay.WinWidth, 333);
        QCOMPARE(+pr.Intro.IntroDisplay.RLTop, 1);
        QCOMPARE(+pr.Intro.IntroDisplay.PrintAllowed, 1);
        QCOMPARE(+pr.Intro.UseMenuBar, 0);
        QCOMPARE(+pr.Opening.CommandType, 4);
        QCOMPARE(pr.Opening.ComboSoundFile.text(), QStringLiteral("SND.WAV"));
        QCOMPARE(pr.Opening.ProgramFile.text(), QStringLiteral("PROG.EXE"));
        QCOMPARE(+pr.Opening.GraphicOption, 3);
        QCOMPARE(pr.Opening.Command.text(), QStringLiteral("prog.exe,data.txt"));
        QCOMPARE(pr.Closing.Command.text(), QStringLiteral("a,b c"));
        QCOMPARE(+pr.About.AboutWhen, 2);
        QCOMPARE(pr.About.IconFile.text(), QStringLiteral("ABOUT.ICO"));
        QCOMPARE(pr.About.AuthorText.text(), QStringLiteral("Me"));
        QCOMPARE(pr.About.Comment4.text(), QStringLiteral("Last line"));
        QCOMPARE(pr.Captions.AboutCaption.text(), QStringLiteral("&Info"));
        QCOMPARE(state.MediaPrompt, QStringLiteral("Go!"));

        const MenuRecord& m = p.Menu;
        QCOMPARE(m.MenuBars.TitleText.text(), QStringLiteral("Menu title"));
        QCOMPARE(+m.MenuDisplay.WinLeft, 11);
        QCOMPARE(+m.UseAuthorBox, 1);
        QCOMPARE(m.Author.AuthorLine6.text(), QStringLiteral("Author six"));
        QCOMPARE(+m.Author.AuthorColor, 0x0000FF);
        QCOMPARE(+m.Author.AuthorTop, 7);
        QCOMPARE(+m.Author.AuthorWidth, 99);
        QCOMPARE(+m.Author.AuthorReserved1, 1);
        QCOMPARE(+m.Author.AuthorReserved2, 1);
        QCOMPARE(+m.MenuBarShown, 0);

        QStringList entries;
        QVERIFY(LoadMenuEntries(state, entries));
        QCOMPARE(entries, QStringList({QStringLiteral("First"), QStringLiteral("Second")}));
        ReadChapter(state, 1);
        QCOMPARE(state.CurrentChapter.ChapterFile.text(), QStringLiteral("TWO.QLF"));
        QCOMPARE(state.CurrentChapter.DisplayFile.text(), QStringLiteral("TWO.QVD"));
        QCOMPARE(readBytes(dir.filePath(QStringLiteral("BOOK.QVR"))),
                 QByteArray(
                     "[Sun]\r\nsource=HYPER\r\ntype=6\r\ncommand=PIC.BMP,SND.WAV,50\r\n]\r\n\r\n"));

        // Converted once: the next opening asks nothing.
        platform.messages.clear();
        OpenProject(state);
        QVERIFY(platform.messages.shown().isEmpty());
    }

    void earlierProject_declined_isNotOpenedNorChanged()
    {
        CurrentTempDir dir;
        ModelDoubles platform;
        writeBytes(dir.filePath(QStringLiteral("BOOK.QVJ")), oldProjectBytes());
        WorkingState state;
        state.ProjectFile = QStringLiteral("BOOK.QVJ");
        platform.messages.answer(MessageAnswer::No);
        OpenProject(state);
        QCOMPARE(platform.messages.texts(), QStringList{kQuestion});
        QVERIFY(state.ProjectFile.isEmpty() && state.HyperTextFile.isEmpty() &&
                state.ChapterListFile.isEmpty());
        QCOMPARE(dir.entries(), QStringList{QStringLiteral("BOOK.QVJ")});
        QCOMPARE(readBytes(dir.filePath(QStringLiteral("BOOK.QVJ"))), oldProjectBytes());
    }

    // A current project whose version tag is damaged to "1.x" is not taken for an earlier one:
    // its size says what it is, and it opens unchanged.
    void currentProjectWithAnOldTag_opensAsItIs()
    {
        CurrentTempDir dir;
        ModelDoubles platform;
        QByteArray current = defaultProjectBytes();
        current.replace(1, 3, "1.x");
        writeBytes(dir.filePath(QStringLiteral("BOOK.QVJ")), current);
        WorkingState state;
        state.ProjectFile = QStringLiteral("BOOK.QVJ");
        OpenProject(state);
        QVERIFY(state.isProjectOpen());
        QCOMPARE(readBytes(dir.filePath(QStringLiteral("BOOK.QVJ"))), current);
        QVERIFY(platform.messages.shown().isEmpty());
    }

    void earlierProject_damagedChapterList_changesNothingAndIsOfferedAgain()
    {
        CurrentTempDir dir;
        ModelDoubles platform;
        writeBytes(dir.filePath(QStringLiteral("BOOK.QVJ")), oldProjectBytes());
        const QByteArray damaged = oldChapterBytes("First", "ONE.QLF", "ONE.QVD") + "tail";
        writeBytes(dir.filePath(QStringLiteral("BOOK.QVC")), damaged);
        for (int attempt = 0; attempt < 2; ++attempt) {
            platform.messages.answer(MessageAnswer::Yes);
            WorkingState state;
            state.ProjectFile = QStringLiteral("BOOK.QVJ");
            QVERIFY_THROWS_EXCEPTION(InOutError, OpenProject(state));
            QCOMPARE(platform.messages.texts(), QStringList{kQuestion}); // asked every time
            platform.messages.clear();
        }
        QCOMPARE(readBytes(dir.filePath(QStringLiteral("BOOK.QVJ"))), oldProjectBytes());
        QCOMPARE(readBytes(dir.filePath(QStringLiteral("BOOK.QVC"))), damaged);
        QCOMPARE(dir.entries(),
                 QStringList({QStringLiteral("BOOK.QVC"), QStringLiteral("BOOK.QVJ")}));
    }

    void earlierProject_unwritableCopy_reportsTheRealError()
    {
        CurrentTempDir dir;
        ModelDoubles platform;
        writeBytes(dir.filePath(QStringLiteral("BOOK.QVJ")), oldProjectBytes());
        writeBytes(dir.filePath(QStringLiteral("BOOK.QVC")),
                   oldChapterBytes("First", "ONE.QLF", "ONE.QVD"));
        QDir(dir.path()).mkdir(QStringLiteral("BOOK.OLD")); // the copy's name is taken by a folder
        QDir(dir.path()).mkdir(QStringLiteral("BOOK.OLD/BOOK.QVC"));
        platform.messages.answer(MessageAnswer::Yes);
        WorkingState state;
        state.ProjectFile = QStringLiteral("BOOK.QVJ");
        const QString error = thrownText<RunTimeError>([&] { OpenProject(state); });
        QVERIFY2(!error.contains(QStringLiteral("Disk full")), qPrintable(error));
        platform.messages.clear();
    }

    void earlierProject_withoutChapterList_skipsTheList()
    {
        CurrentTempDir dir;
        ModelDoubles platform;
        writeBytes(dir.filePath(QStringLiteral("BOOK.QVJ")), oldProjectBytes());
        platform.messages.answer(MessageAnswer::Yes);
        WorkingState state;
        state.ProjectFile = QStringLiteral("BOOK.QVJ");
        OpenProject(state);
        QCOMPARE(platform.messages.texts(), QStringList{kQuestion});
        QCOMPARE(dir.entries(),
                 QStringList({QStringLiteral("BOOK.QVD"), QStringLiteral("BOOK.QVJ")}));
        QCOMPARE(state.Project.Config.BookTitle.text(), QStringLiteral("My Old Book"));
    }

    void oldEntryFile_changesOnlyPictureCommands()
    {
        CurrentTempDir dir;
        writeBytes(dir.filePath(QStringLiteral("B.QVR")),
                   "[a]\r\ntype=2\r\ncommand=A.BMP 30\r\n]\r\n"
                   "[b]\r\ntype=6\r\ncommand=P.BMP S.WAV 50 x\r\n]\r\n"
                   "[c]\r\ntype=3\r\ncommand=V.WAV 1\r\n]\r\n"
                   "[d]\ntype=2\ncommand=NOBLANK.BMP\n]\n"
                   "type=6");
        ConvertOldEntryFile(QStringLiteral("B.QVR"));
        QCOMPARE(readBytes(dir.filePath(QStringLiteral("B.QVR"))),
                 QByteArray("[a]\r\ntype=2\r\ncommand=A.BMP,30\r\n]\r\n"
                            "[b]\r\ntype=6\r\ncommand=P.BMP,S.WAV,50 x\r\n]\r\n"
                            "[c]\r\ntype=3\r\ncommand=V.WAV 1\r\n]\r\n"
                            "[d]\r\ntype=2\r\ncommand=NOBLANK.BMP\r\n]\r\n"
                            "type=6\r\n"));
        QCOMPARE(dir.entries(), QStringList{QStringLiteral("B.QVR")});

        ConvertOldEntryFile(QStringLiteral("MISSING.QVR"));
        QCOMPARE(dir.entries(), QStringList{QStringLiteral("B.QVR")});
    }
};

QTEST_GUILESS_MAIN(ConversionTest)
#include "tst_conversion.moc"
