// Project file, chapter list and display file routines, and opening a project.
#include "messagerecorder.h"
#include "recordbytes.h"
#include "testdir.h"
#include "thrown.h"

#include "core/files/runtimeerror.h"
#include "core/project/chapters.h"
#include "core/project/openproject.h"
#include "core/project/programconfig.h"
#include "core/project/projectfiles.h"
#include "core/project/reclist.h"
#include "core/sections/sectionfile.h"

#include <QTest>

class ProjectFilesTest : public QObject
{
    Q_OBJECT

private:
    static WorkingState openState(const QString& projectFile = QStringLiteral("BOOK.QVJ"))
    {
        WorkingState state;
        state.ProjectFile = projectFile;
        state.ChapterListFile = QStringLiteral("BOOK.QVC");
        state.HyperTextFile = QStringLiteral("BOOK.QVR");
        return state;
    }

    static void appendChapter(WorkingState& state, const char* entry)
    {
        state.CurrentChapter = ChapterRecord{};
        state.CurrentChapter.MenuEntry.setText(QString::fromLatin1(entry));
        state.CurrentChapter.ChapterFile.setText(QStringLiteral("CH.QLF"));
        state.CurrentChapter.DisplayFile.setText(QStringLiteral("BOOK.QVD"));
        WriteChapter(state, -1);
    }

    static QStringList menuEntries(const WorkingState& state)
    {
        QStringList entries;
        LoadMenuEntries(state, entries);
        return entries;
    }

private slots:
    void defaultProject_matchesLayoutByteForByte()
    {
        WorkingState state;
        DefaultProject(state);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(&state.Project), 5377),
                 defaultProjectBytes());
        QCOMPARE(state.MediaPrompt, QStringLiteral("Press the Start button"));
    }

    void openNewFolder_createsExactlyProjectAndDisplayFiles()
    {
        CurrentTempDir dir;
        ModelDoubles platform;
        WorkingState state;
        state.ProjectFile = dir.filePath(QStringLiteral("BOOK.QVJ"));
        OpenProject(state);

        QCOMPARE(state.ProjectFile, QStringLiteral("BOOK.QVJ"));
        QCOMPARE(state.ChapterListFile, QStringLiteral("BOOK.QVC"));
        QCOMPARE(state.HyperTextFile, QStringLiteral("BOOK.QVR"));
        QCOMPARE(dir.entries(),
                 QStringList({QStringLiteral("BOOK.QVD"), QStringLiteral("BOOK.QVJ")}));
        QCOMPARE(readBytes(dir.filePath(QStringLiteral("BOOK.QVJ"))), defaultProjectBytes());
        QCOMPARE(readBytes(dir.filePath(QStringLiteral("BOOK.QVD"))), defaultDisplayBytes());
        QVERIFY(platform.messages.shown().isEmpty());
    }

    void openExisting_readsItAndKeepsItUnchanged()
    {
        CurrentTempDir dir;
        QByteArray project = defaultProjectBytes();
        project[279] = 5;
        project.replace(280, 5, "Alice");
        writeBytes(dir.filePath(QStringLiteral("book.qvj")), project);

        WorkingState state = openState(QStringLiteral("BOOK.QVJ")); // found without regard to case
        OpenProject(state);
        QCOMPARE(state.BookTitle, QStringLiteral("Alice"));
        QCOMPARE(readBytes(dir.filePath(QStringLiteral("book.qvj"))), project);
    }

    void openShortProjectFile_failsAndChangesNothing()
    {
        CurrentTempDir dir;
        const QByteArray shortFile = defaultProjectBytes().left(5376);
        writeBytes(dir.filePath(QStringLiteral("BOOK.QVJ")), shortFile);
        WorkingState state = openState();
        QVERIFY_THROWS_EXCEPTION(InOutError, OpenProject(state));
        try {
            OpenProject(state);
        } catch (const InOutError& error) {
            QCOMPARE(error.message(), QStringLiteral("Read beyond end of file: BOOK.QVJ"));
        }
        QCOMPARE(dir.entries(), QStringList{QStringLiteral("BOOK.QVJ")});
        QCOMPARE(readBytes(dir.filePath(QStringLiteral("BOOK.QVJ"))), shortFile);
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
        QCOMPARE(readBytes(dir.filePath(QStringLiteral("BOOK.QVC"))).left(169),
                 chapterBytes("One", "CH.QLF", "BOOK.QVD"));

        state.CurrentChapter.MenuEntry.setText(QString(70, QLatin1Char('x')));
        WriteChapter(state, 1);
        ReadChapter(state, 1);
        QCOMPARE(state.CurrentChapter.MenuEntry.text(), QString(60, QLatin1Char('x')));
        QCOMPARE(menuEntries(state),
                 QStringList({QStringLiteral("One"), QString(60, QLatin1Char('x')),
                              QStringLiteral("Three")}));

        TRecList records;
        QVERIFY(LoadChapterRecords(state, records));
        QCOMPARE(records.Count(), 3);
        QCOMPARE(records.at<ChapterRecord>(2).MenuEntry.text(), QStringLiteral("Three"));
        QVERIFY_THROWS_EXCEPTION(InOutError, ReadChapter(state, 3));
    }

    void compaction_data()
    {
        QTest::addColumn<QList<int>>("removed");
        QTest::addColumn<QStringList>("remaining");
        QTest::newRow("middle") << QList<int>{1}
                                << QStringList{QStringLiteral("A"), QStringLiteral("C")};
        QTest::newRow("first and last") << QList<int>{0, 2} << QStringList{QStringLiteral("B")};
        QTest::newRow("none marked")
            << QList<int>{}
            << QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
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
        QCOMPARE(dir.entries(), QStringList{QStringLiteral("BOOK.QVC")});
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
        writeBytes(dir.filePath(QStringLiteral("book.tmp")), "mine"); // the scratch is BOOK.TMP
        RemoveChapterAt(state, 0);
        QCOMPARE(menuEntries(state), QStringList{QStringLiteral("B")});

        const QString hyper = QStringLiteral("BOOK.QVR");
        AddEntry(hyper, QStringLiteral("Pop"), 3, QStringLiteral("P.WAV"), QStringLiteral("HYPER"));
        AddEntry(hyper, QStringLiteral("Sun"), 3, QStringLiteral("S.WAV"), QStringLiteral("HYPER"));
        DeleteEntry(hyper, QStringLiteral("Pop"), QStringLiteral("HYPER"));
        QStringList names;
        ListEntries(names, hyper, QStringLiteral("HYPER"));
        QCOMPARE(names, QStringList{QStringLiteral("Sun")});
        QCOMPARE(readBytes(dir.filePath(QStringLiteral("book.tmp"))), QByteArray("mine"));
        QCOMPARE(dir.entries(), QStringList({QStringLiteral("BOOK.QVC"), QStringLiteral("BOOK.QVR"),
                                             QStringLiteral("book.tmp")}));
    }

    void damagedChapterList_isReportedAndLeftAlone()
    {
        CurrentTempDir dir;
        const QByteArray damaged = chapterBytes("A", "A.QLF", "A.QVD") + QByteArray(31, 'x');
        writeBytes(dir.filePath(QStringLiteral("BOOK.QVC")), damaged);
        WorkingState state = openState();
        QStringList entries;
        QVERIFY(thrownText<InOutError>([&] {
                    LoadMenuEntries(state, entries);
                }).contains(QStringLiteral("BOOK.QVC is damaged")));
        QVERIFY_THROWS_EXCEPTION(InOutError, WriteChapter(state, -1));
        QVERIFY_THROWS_EXCEPTION(InOutError, CompactChapterList(state));
        QCOMPARE(readBytes(dir.filePath(QStringLiteral("BOOK.QVC"))), damaged);
    }

    void displayFile_earlierFormIsConvertedOnFirstRead()
    {
        CurrentTempDir dir;
        RecordBytes old(68);
        old.i32(0, 0x00FF8040).u8(4, 0).i32(5, 3).i32(9, 0x123456);
        old.str(13, "PICTURE1.BMP").str(26, "PAPER.BMP");
        old.i32(39, 10).i32(43, 20).i32(47, 300).i32(51, 150);
        old.i32(55, 77).i32(59, 88).u8(67, 1);
        writeBytes(dir.filePath(QStringLiteral("OLD.QVD")), old.bytes());

        WorkingState state;
        ReadDisplayFile(state, QStringLiteral("OLD.QVD"));
        RecordBytes expected(340);
        expected.i32(0, 0x00FF8040).u8(4, 0).i32(5, 3).i32(9, 0x123456);
        expected.str(13, "PICTURE1.BMP").str(164, "PAPER.BMP");
        expected.i32(315, 10).i32(319, 20).i32(323, 300).i32(327, 150);
        expected.i32(331, 1).i32(335, 1).u8(339, 1);
        QCOMPARE(readBytes(dir.filePath(QStringLiteral("OLD.QVD"))), expected.bytes());
        QCOMPARE(state.CurrentDisplay.WallpaperFile.text(), QStringLiteral("PAPER.BMP"));
        QCOMPARE(+state.CurrentDisplay.RLTop, 1);
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

        config.IconFile.setText(QStringLiteral("BOOK.ICO"));
        config.HelpFile.setText(QStringLiteral("BOOK.HLP"));
        config.HelpTopic = 3;
        SettleIconAndHelpFile(config); // chosen, but switched off
        QVERIFY(config.IconFile.text().isEmpty() && config.HelpFile.text().isEmpty());
        QCOMPARE(config.HelpTopic, 0);

        config.UseIcon = 1;
        config.IconFile.setText(QStringLiteral("BOOK.ICO"));
        config.UseHelpFile = 1;
        config.HelpFile.setText(QStringLiteral("BOOK.HLP"));
        config.HelpTopic = 0;
        SettleIconAndHelpFile(config); // a topic below 1 drops the help file
        QCOMPARE(config.UseIcon, 1);
        QCOMPARE(config.IconFile.text(), QStringLiteral("BOOK.ICO"));
        QCOMPARE(config.UseHelpFile, 0);
        QVERIFY(config.HelpFile.text().isEmpty());
    }

    void displayFile_writeThenRead_roundTrip()
    {
        CurrentTempDir dir;
        WorkingState state;
        state.CurrentDisplay = DefaultDisplay();
        state.CurrentDisplay.WinLeft = -5;
        state.CurrentDisplay.GraphicFile.setText(QStringLiteral("SKY.JPG"));
        WriteDisplayFile(state, QStringLiteral("A.QVD"));
        state.CurrentDisplay = DisplayRecord{};
        ReadDisplayFile(state, QStringLiteral("A.QVD"));
        QCOMPARE(+state.CurrentDisplay.WinLeft, -5);
        QCOMPARE(state.CurrentDisplay.GraphicFile.text(), QStringLiteral("SKY.JPG"));
        QCOMPARE(readBytes(dir.filePath(QStringLiteral("A.QVD"))).size(), 340);

        writeBytes(dir.filePath(QStringLiteral("SHORT.QVD")), QByteArray(100, '\0'));
        QVERIFY_THROWS_EXCEPTION(InOutError, ReadDisplayFile(state, QStringLiteral("SHORT.QVD")));
        QCOMPARE(
            thrownText<InOutError>([&] { ReadDisplayFile(state, QStringLiteral("NONE.QVD")); }),
            QStringLiteral("File not found: NONE.QVD"));
        QCOMPARE(thrownText<InOutError>(
                     [&] { WriteDisplayFile(state, QStringLiteral("no/such/folder/A.QVD")); }),
                 QStringLiteral("Path not found: no/such/folder/A.QVD"));
    }
};

QTEST_GUILESS_MAIN(ProjectFilesTest)
#include "tst_projectfiles.moc"
