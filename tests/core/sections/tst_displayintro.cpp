// Display sections, colour strings and the introduction section.
#include "testdir.h"
#include "thrown.h"

#include "core/files/runtimeerror.h"
#include "core/sections/displaysection.h"
#include "core/sections/introduction.h"
#include "core/sections/sectionfile.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString kFile = u"BOOK.QVR"_s;

DisplayRecord sampleDisplay()
{
    DisplayRecord display = DefaultDisplay();
    display.FullScreen = 0;
    display.BackType = 3;
    display.BackColor = 0x00FF8040;
    display.TextColor = static_cast<Colour>(0x8000000F);
    display.GraphicFile.setText(u"SKY.JPG"_s);
    display.WallpaperFile.setText(u"TILE.BMP"_s);
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
        QTest::newRow("basic name") << 0xC0C0C0 << u"clSilver"_s;
        QTest::newRow("system colour") << int(0x8000000F) << u"clBtnFace"_s;
        QTest::newRow("last system colour") << int(0x80000018) << u"clInfoBk"_s;
        QTest::newRow("none") << 0x1FFFFFFF << u"clNone"_s;
        QTest::newRow("unnamed") << 0x00FF8040 << u"$00FF8040"_s;
        QTest::newRow("unnamed small") << 0x000001 << u"$00000001"_s;
    }
    void colourStrings()
    {
        QFETCH(int, colour);
        QFETCH(QString, text);
        QCOMPARE(ColourToString(colour), text);
        QCOMPARE(StringToColour(text), colour);
        QCOMPARE(StringToColour(text.toUpper()), colour);
    }
    void colourStrings_readDecimalNumbers() { QCOMPARE(StringToColour(u"255"_s), 0xFF); }

    // A display section is written line by line in order, and a replaced one reads back as it
    // was written but for the ruler fields, which a section does not hold.
    void displayEntry_writtenInOrderAndReadBack()
    {
        CurrentTempDir dir;
        AddDisplayEntry(kFile, u"Pop"_s, 5, sampleDisplay(), {u"{\\rtf1 hi}"_s}, u"HYPER"_s);
        QCOMPARE(readBytes(kFile),
                 QByteArray("[Pop]\r\nsource=HYPER\r\ntype=5\r\ndisplaytype=3\r\n"
                            "fullscreen=false\r\nSbackcolor=$00FF8040\r\nSGraphic=SKY.JPG\r\n"
                            "SWallpaper=TILE.BMP\r\nVPBack=clBtnFace\r\nVPLeft=-3\r\nVPTop=40\r\n"
                            "VPWidth=300\r\nVPHeight=150\r\nRLTop=7\r\nRLLeft=9\r\nprint=true\r\n"
                            "text=\r\n{\\rtf1 hi}\r\n]\r\n\r\n"));
        DisplayRecord written = sampleDisplay();
        written.WinTop = 41;
        ReplaceDisplayEntry(kFile, u"Pop"_s, u"POP"_s, 1, written, {u"line one"_s, u"line two"_s},
                            u"HYPER"_s);
        QStringList lines;
        QVERIFY(ReadEntry(kFile, u"pop"_s, u"HYPER"_s, lines));
        DisplayRecord read = DefaultDisplay();
        QStringList text;
        ParseDisplayEntry(lines, read, text);
        QCOMPARE(text, QStringList({u"line one"_s, u"line two"_s, u"]"_s}));
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
        QTest::newRow("bad number")
            << 9 << u"VPLeft=12px"_s << u"'12px' is not a valid integer value"_s;
        QTest::newRow("bad colour")
            << 5 << u"Sbackcolor=pink"_s << u"'pink' is not a valid integer value"_s;
        QTest::newRow("bad type") << 3 << u"displaytype="_s << u"'' is not a valid integer value"_s;
    }
    void parseDisplayEntry_badInput()
    {
        QFETCH(int, line);
        QFETCH(QString, value);
        QFETCH(QString, message);
        QStringList lines = DisplaySectionLines(u"Pop"_s, u"HYPER"_s, 1, DefaultDisplay(), {});
        lines[0] = u"Pop"_s;
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
        const QStringList lines{u"Pop"_s, u"source=HYPER"_s, u"type=1"_s, u"]"_s};
        QCOMPARE(
            thrownText<RunTimeError>([&] { ParseDisplayEntry(lines, display, text); }),
            u"The HyperText entry Pop is damaged: it holds 4 lines where a display needs 17."_s);
    }

    void introduction_addReadReplaceDelete()
    {
        CurrentTempDir dir;
        const QByteArray entries = "[A]\r\nsource=HYPER\r\ntype=2\r\ncommand=a\r\n]\r\n\r\n";
        writeBytes(kFile, entries);
        AddIntroEntry(kFile, {u"{\\rtf1"_s, u"Hello}"_s});
        writeBytes(kFile,
                   readBytes(kFile) + "[B]\r\nsource=HYPER\r\ntype=2\r\ncommand=b\r\n]\r\n\r\n");
        QStringList text;
        QVERIFY(ReadIntroEntry(kFile, text));
        QCOMPARE(text, QStringList({u"{\\rtf1"_s, u"Hello}"_s}));

        ReplaceIntroEntry(kFile, {u"New"_s});
        QCOMPARE(readBytes(kFile),
                 entries + "[^INTRODUCTION^]\r\nsource=INTRO\r\ntext=\r\nNew\r\n]\r\n\r\n" +
                     "[B]\r\nsource=HYPER\r\ntype=2\r\ncommand=b\r\n]\r\n\r\n");
        QCOMPARE(dir.entries(), QStringList{kFile});

        DeleteEntry(kFile, kIntroName, kIntroSource);
        text.clear();
        QVERIFY(!ReadIntroEntry(kFile, text));
        QStringList names;
        ListEntries(names, kFile, u"HYPER"_s);
        QCOMPARE(names, QStringList({u"A"_s, u"B"_s}));

        // A text line starting with a bracket ends the text.
        AddIntroEntry(kFile, {u"one"_s, u"]two"_s, u"three"_s});
        QVERIFY(ReadIntroEntry(kFile, text));
        QCOMPARE(text, QStringList{u"one"_s});
        QVERIFY(!ReadIntroEntry(u"MISSING.QVR"_s, text));
        QVERIFY_THROWS_EXCEPTION(InOutError, ReplaceIntroEntry(u"MISSING.QVR"_s, {}));
    }

    void saveIntroduction_keepsWritesOrRemovesTheSection()
    {
        CurrentTempDir dir;
        const QStringList text{u"{\\rtf1 Hi}"_s};
        writeBytes(kFile, "[A]\r\nsource=HYPER\r\ntype=2\r\ncommand=a\r\n]\r\n\r\n");
        QCOMPARE(SaveIntroduction(kFile, true, true, false, text), IntroSave::Written);
        const QByteArray written = readBytes(kFile);
        // shown, not edited: whatever the file holds stays
        QCOMPARE(SaveIntroduction(kFile, true, false, true, {}), IntroSave::Kept);
        QCOMPARE(readBytes(kFile), written);
        QCOMPARE(SaveIntroduction(kFile, true, true, true, {u"B"_s}), IntroSave::Written);
        QStringList read;
        QVERIFY(ReadIntroEntry(kFile, read));
        QCOMPARE(read, QStringList{u"B"_s}); // replaced, not added twice
        // edited to nothing: removed, and the caller stops showing it
        QCOMPARE(SaveIntroduction(kFile, true, true, true, {}), IntroSave::Empty);
        read.clear();
        QVERIFY(!ReadIntroEntry(kFile, read));
        QCOMPARE(SaveIntroduction(kFile, true, true, false, text), IntroSave::Written);
        // no longer shown: the text stays, edited or not, until it is edited to nothing
        QCOMPARE(SaveIntroduction(kFile, false, false, true, {}), IntroSave::Kept);
        QCOMPARE(SaveIntroduction(kFile, false, true, true, {u"C"_s}), IntroSave::Written);
        QVERIFY(ReadIntroEntry(kFile, read));
        QCOMPARE(read, QStringList{u"C"_s});
        QCOMPARE(SaveIntroduction(kFile, false, true, true, {}), IntroSave::Removed);
        read.clear();
        QVERIFY(!ReadIntroEntry(kFile, read));
        QCOMPARE(SaveIntroduction(u"NONE.QVR"_s, false, true, false, {}),
                 IntroSave::Removed); // nothing to remove is no error
    }
};

QTEST_GUILESS_MAIN(DisplayIntroTest)
#include "tst_displayintro.moc"
