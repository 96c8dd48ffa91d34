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

using namespace Qt::StringLiterals;

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

        // Written and read back whole; short, missing and unwritable files refused.
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
        QCOMPARE(thrownText<InOutError>([&] { ReadDisplayFile(state, u"NONE.QVD"_s); }),
                 u"File not found: NONE.QVD"_s);
        QCOMPARE(
            thrownText<InOutError>([&] { WriteDisplayFile(state, u"no/such/folder/A.QVD"_s); }),
            u"Path not found: no/such/folder/A.QVD"_s);
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
};

QTEST_GUILESS_MAIN(ProjectFilesTest)
#include "tst_projectfiles.moc"
