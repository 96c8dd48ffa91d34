// Display sections, colour strings and the introduction section.
#include "testdir.h"
#include "thrown.h"

#include "core/files/runtimeerror.h"
#include "core/sections/displaysection.h"
#include "core/sections/introduction.h"
#include "core/sections/sectionfile.h"

#include <QTest>

namespace {

const QString kFile = QStringLiteral("BOOK.QVR");

DisplayRecord sampleDisplay()
{
    DisplayRecord display = DefaultDisplay();
    display.FullScreen = 0;
    display.BackType = 3;
    display.BackColor = 0x00FF8040;
    display.TextColor = static_cast<Colour>(0x8000000F);
    display.GraphicFile.setText(QStringLiteral("SKY.JPG"));
    display.WallpaperFile.setText(QStringLiteral("TILE.BMP"));
    display.WinLeft = -3;
    display.WinTop = 40;
    display.WinWidth = 300;
    display.WinHeight = 150;
    display.RLTop = 7;
    display.RLLeft = 9;
    display.PrintAllowed = 1;
    return display;
}

} // namespace

class DisplayIntroTest : public QObject
{
    Q_OBJECT

private slots:
    void colourStrings_data()
    {
        QTest::addColumn<int>("colour");
        QTest::addColumn<QString>("text");
        QTest::newRow("basic name") << 0xC0C0C0 << QStringLiteral("clSilver");
        QTest::newRow("system colour") << int(0x8000000F) << QStringLiteral("clBtnFace");
        QTest::newRow("last system colour") << int(0x80000018) << QStringLiteral("clInfoBk");
        QTest::newRow("none") << 0x1FFFFFFF << QStringLiteral("clNone");
        QTest::newRow("unnamed") << 0x00FF8040 << QStringLiteral("$00FF8040");
        QTest::newRow("unnamed small") << 0x000001 << QStringLiteral("$00000001");
    }
    void colourStrings()
    {
        QFETCH(int, colour);
        QFETCH(QString, text);
        QCOMPARE(ColourToString(colour), text);
        QCOMPARE(StringToColour(text), colour);
        QCOMPARE(StringToColour(text.toUpper()), colour);
    }
    void colourStrings_readNumbersAndRefuseOthers()
    {
        QCOMPARE(StringToColour(QStringLiteral("$00C0C0C0")),
                 StringToColour(QStringLiteral("clSilver")));
        QCOMPARE(StringToColour(QStringLiteral("255")), 0xFF);
    }

    void addDisplayEntry_writesTheLinesInOrder()
    {
        CurrentTempDir dir;
        AddDisplayEntry(kFile, QStringLiteral("Pop"), 5, sampleDisplay(),
                        {QStringLiteral("{\\rtf1 hi}")}, QStringLiteral("HYPER"));
        QCOMPARE(readBytes(kFile),
                 QByteArray("[Pop]\r\nsource=HYPER\r\ntype=5\r\ndisplaytype=3\r\n"
                            "fullscreen=false\r\nSbackcolor=$00FF8040\r\nSGraphic=SKY.JPG\r\n"
                            "SWallpaper=TILE.BMP\r\nVPBack=clBtnFace\r\nVPLeft=-3\r\nVPTop=40\r\n"
                            "VPWidth=300\r\nVPHeight=150\r\nRLTop=7\r\nRLLeft=9\r\nprint=true\r\n"
                            "text=\r\n{\\rtf1 hi}\r\n]\r\n\r\n"));
    }

    void displayEntry_roundTripKeepsAllButRulerFields()
    {
        CurrentTempDir dir;
        const DisplayRecord written = sampleDisplay();
        AddDisplayEntry(kFile, QStringLiteral("Pop"), 1, DefaultDisplay(), {},
                        QStringLiteral("HYPER"));
        ReplaceDisplayEntry(kFile, QStringLiteral("Pop"), QStringLiteral("POP"), 1, written,
                            {QStringLiteral("line one"), QStringLiteral("line two")},
                            QStringLiteral("HYPER"));
        QStringList lines;
        QVERIFY(ReadEntry(kFile, QStringLiteral("pop"), QStringLiteral("HYPER"), lines));
        DisplayRecord read = DefaultDisplay();
        QStringList text;
        ParseDisplayEntry(lines, read, text);
        QCOMPARE(text, QStringList({QStringLiteral("line one"), QStringLiteral("line two"),
                                    QStringLiteral("]")}));
        QCOMPARE(+read.RLTop, 1);
        QCOMPARE(+read.RLLeft, 1);
        read.RLTop = written.RLTop;
        read.RLLeft = written.RLLeft;
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(&read), sizeof read),
                 QByteArray(reinterpret_cast<const char*>(&written), sizeof written));
    }

    void parseDisplayEntry_badInput_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");
        QTest::newRow("bad number") << 9 << QStringLiteral("VPLeft=12px")
                                    << QStringLiteral("'12px' is not a valid integer value");
        QTest::newRow("bad colour") << 5 << QStringLiteral("Sbackcolor=pink")
                                    << QStringLiteral("'pink' is not a valid integer value");
        QTest::newRow("bad type") << 3 << QStringLiteral("displaytype=")
                                  << QStringLiteral("'' is not a valid integer value");
    }
    void parseDisplayEntry_badInput()
    {
        QFETCH(int, line);
        QFETCH(QString, value);
        QFETCH(QString, message);
        QStringList lines = DisplaySectionLines(QStringLiteral("Pop"), QStringLiteral("HYPER"), 1,
                                                DefaultDisplay(), {});
        lines[0] = QStringLiteral("Pop");
        lines[line] = value;
        DisplayRecord display{};
        QStringList text;
        QCOMPARE(thrownText<ConvertError>([&] { ParseDisplayEntry(lines, display, text); }),
                 message);
    }
    void parseDisplayEntry_shortSection_isAClearError()
    {
        DisplayRecord display{};
        QStringList text;
        const QStringList lines{QStringLiteral("Pop"), QStringLiteral("source=HYPER"),
                                QStringLiteral("type=1"), QStringLiteral("]")};
        QVERIFY(thrownText<RunTimeError>([&] {
                    ParseDisplayEntry(lines, display, text);
                }).contains(QStringLiteral("Pop is damaged")));
    }

    void introduction_addReadReplaceDelete()
    {
        CurrentTempDir dir;
        const QByteArray entries = "[A]\r\nsource=HYPER\r\ntype=2\r\ncommand=a\r\n]\r\n\r\n";
        writeBytes(kFile, entries);
        AddIntroEntry(kFile, {QStringLiteral("{\\rtf1"), QStringLiteral("Hello}")});
        writeBytes(kFile,
                   readBytes(kFile) + "[B]\r\nsource=HYPER\r\ntype=2\r\ncommand=b\r\n]\r\n\r\n");
        QStringList text;
        QVERIFY(ReadIntroEntry(kFile, text));
        QCOMPARE(text, QStringList({QStringLiteral("{\\rtf1"), QStringLiteral("Hello}")}));

        ReplaceIntroEntry(kFile, {QStringLiteral("New")});
        QCOMPARE(readBytes(kFile),
                 entries + "[^INTRODUCTION^]\r\nsource=INTRO\r\ntext=\r\nNew\r\n]\r\n\r\n" +
                     "[B]\r\nsource=HYPER\r\ntype=2\r\ncommand=b\r\n]\r\n\r\n");
        QCOMPARE(dir.entries(), QStringList{kFile});

        DeleteEntry(kFile, kIntroName, kIntroSource);
        text.clear();
        QVERIFY(!ReadIntroEntry(kFile, text));
        QStringList names;
        ListEntries(names, kFile, QStringLiteral("HYPER"));
        QCOMPARE(names, QStringList({QStringLiteral("A"), QStringLiteral("B")}));
    }

    void introduction_lineStartingWithBracketEndsTheText()
    {
        CurrentTempDir dir;
        AddIntroEntry(kFile,
                      {QStringLiteral("one"), QStringLiteral("]two"), QStringLiteral("three")});
        QStringList text;
        QVERIFY(ReadIntroEntry(kFile, text));
        QCOMPARE(text, QStringList{QStringLiteral("one")});
        QVERIFY(!ReadIntroEntry(QStringLiteral("MISSING.QVR"), text));
        QVERIFY_THROWS_EXCEPTION(InOutError, ReplaceIntroEntry(QStringLiteral("MISSING.QVR"), {}));
    }

    void saveIntroduction_keepsWritesOrRemovesTheSection()
    {
        CurrentTempDir dir;
        const QStringList text{QStringLiteral("{\\rtf1 Hi}")};
        writeBytes(kFile, "[A]\r\nsource=HYPER\r\ntype=2\r\ncommand=a\r\n]\r\n\r\n");
        QCOMPARE(SaveIntroduction(kFile, true, true, false, text), IntroSave::Written);
        const QByteArray written = readBytes(kFile);
        // shown, not edited: whatever the file holds stays
        QCOMPARE(SaveIntroduction(kFile, true, false, true, {}), IntroSave::Kept);
        QCOMPARE(readBytes(kFile), written);
        QCOMPARE(SaveIntroduction(kFile, true, true, true, {QStringLiteral("B")}),
                 IntroSave::Written);
        QStringList read;
        QVERIFY(ReadIntroEntry(kFile, read));
        QCOMPARE(read, QStringList{QStringLiteral("B")}); // replaced, not added twice
        // edited to nothing: removed, and the caller stops showing it
        QCOMPARE(SaveIntroduction(kFile, true, true, true, {}), IntroSave::Empty);
        read.clear();
        QVERIFY(!ReadIntroEntry(kFile, read));
        QCOMPARE(SaveIntroduction(kFile, true, true, false, text), IntroSave::Written);
        // no longer shown: the text stays, edited or not, until it is edited to nothing
        QCOMPARE(SaveIntroduction(kFile, false, false, true, {}), IntroSave::Kept);
        QCOMPARE(SaveIntroduction(kFile, false, true, true, {QStringLiteral("C")}),
                 IntroSave::Written);
        QVERIFY(ReadIntroEntry(kFile, read));
        QCOMPARE(read, QStringList{QStringLiteral("C")});
        QCOMPARE(SaveIntroduction(kFile, false, true, true, {}), IntroSave::Removed);
        read.clear();
        QVERIFY(!ReadIntroEntry(kFile, read));
        QCOMPARE(SaveIntroduction(QStringLiteral("NONE.QVR"), false, true, false, {}),
                 IntroSave::Removed); // nothing to remove is no error
    }
};

QTEST_GUILESS_MAIN(DisplayIntroTest)
#include "tst_displayintro.moc"
