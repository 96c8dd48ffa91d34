// The section-file engine: matching, reading, listing, adding, replacing and deleting sections;
// display sections, colour strings and the introduction section; the compiled form of section
// files, its exact layout, and the reader's lookups and checks.
#include "testdir.h"
#include "thrown.h"

#include "core/files/filestore.h"
#include "core/files/runtimeerror.h"
#include "core/sections/compiledsections.h"
#include "core/sections/displaysection.h"
#include "core/sections/hypertext.h"
#include "core/sections/introduction.h"
#include "core/sections/sectionfile.h"

#include <QTest>

#include <cstring>

using namespace Qt::StringLiterals;

namespace {

const QString kFile = u"BOOK.QVR"_s;

QByteArray simple(const QByteArray& name, const QByteArray& source, const QByteArray& command)
{
    return "[" + name + "]\r\nsource=" + source + "\r\ntype=2\r\ncommand=" + command +
           "\r\n]\r\n\r\n";
}

QByteArray sample()
{
    return simple("Paris", "HYPER", "first") + simple("paris", "INTRO", "intro") +
           simple("Rome", "HYPER", "rome") + simple("PARIS", "HYPER", "second") +
           simple("Lyon ", "HYPER", "lyon");
}

QString commandOf(const QString& name, const QString& source)
{
    QStringList lines;
    if (!ReadEntry(kFile, name, source, lines))
        return u"<none>"_s;
    return lines.value(3);
}

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

qint32 intAt(const QByteArray& bytes, int offset)
{
    qint32 value;
    std::memcpy(&value, bytes.constData() + offset, 4);
    return value;
}

QByteArray stringAt(const QByteArray& bytes, int offset)
{
    return bytes.mid(offset + 1, quint8(bytes.at(offset)));
}

const QByteArray kSource =
    "junk before\r\n"
    "[Paris]\r\nsource=HYPER\r\ntype=2\r\ncommand=P.BMP\r\n]\r\n\r\nbetween\r\n"
    "[Rome]\r\nsource=HYPER\r\ntype=3\r\ncommand=R.WAV\r\n]\r\n\r\n";

} // namespace

class SectionFileTest : public QObject
{
    Q_OBJECT

private slots:
    void readEntry_matching_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("command");
        QTest::newRow("last of two wins") << u"Paris"_s << u"HYPER"_s << u"command=second"_s;
        QTest::newRow("any case") << u"pArIs"_s << u"hyper"_s << u"command=second"_s;
        QTest::newRow("other source") << u"PARIS"_s << u"INTRO"_s << u"command=intro"_s;
        QTest::newRow("no trimming") << u"Paris "_s << u"HYPER"_s << u"<none>"_s;
        QTest::newRow("trailing blank kept") << u"Lyon "_s << u"HYPER"_s << u"command=lyon"_s;
        QTest::newRow("whole name only") << u"Lyon"_s << u"HYPER"_s << u"<none>"_s;
        QTest::newRow("whole source only") << u"Rome"_s << u"HYPERX"_s << u"<none>"_s;
    }
    void readEntry_matching()
    {
        QFETCH(QString, name);
        QFETCH(QString, source);
        QFETCH(QString, command);
        CurrentTempDir dir;
        writeBytes(kFile, sample());
        QCOMPARE(commandOf(name, source), command);
        // The compiled form finds what the file does.
        QStringList lines;
        CompiledSections::fromBytes(CompileSections(sample())).readEntry(name, source, lines);
        QCOMPARE(lines.value(3, u"<none>"_s), command);
    }

    void readEntry_oddFiles_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("lines");
        const QStringList rome = {u"Rome"_s, u"source=HYPER"_s, u"x=1"_s, u"]"_s};
        QTest::newRow("LF only") << QByteArray("[Rome]\nsource=HYPER\nx=1\n]\n\n") << u"Rome"_s
                                 << rome;
        QTest::newRow("CR only") << QByteArray("[Rome]\rsource=HYPER\rx=1\r]\r\r") << u"Rome"_s
                                 << rome;
        QTest::newRow("no terminator runs to the end")
            << QByteArray("[Rome]\r\nsource=HYPER\r\nx=1\r\n[Next]\r\n") << u"Rome"_s
            << QStringList{u"Rome"_s, u"source=HYPER"_s, u"x=1"_s, u"[Next]"_s};
        QTest::newRow("one-character header")
            << QByteArray("[\r\nsource=HYPER\r\n]\r\n") << QString()
            << QStringList{QString(), u"source=HYPER"_s, u"]"_s};
        QTest::newRow("source line missing at the end")
            << QByteArray("[Rome]") << u"Rome"_s << QStringList();
        QTest::newRow("text line starting with ]")
            << QByteArray("[Rome]\r\nsource=HYPER\r\n]x\r\n]\r\n") << u"Rome"_s
            << QStringList{u"Rome"_s, u"source=HYPER"_s, u"]x"_s, u"]"_s};
    }
    void readEntry_oddFiles()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, name);
        QFETCH(QStringList, lines);
        CurrentTempDir dir;
        writeBytes(kFile, content);
        QStringList read;
        QCOMPARE(ReadEntry(kFile, name, u"HYPER"_s, read), !lines.isEmpty());
        QCOMPARE(read, lines);
    }

    void readAndList_giveTheSectionsAsTheFileHoldsThem()
    {
        CurrentTempDir dir;
        writeBytes(kFile, sample() + "[odd]\r\nfrom=HYPER\r\n]\r\n");
        QStringList lines;
        QVERIFY(FindHyperEntry(kFile, u"rome"_s, lines));
        QCOMPARE(lines, QStringList({u"Rome"_s, u"source=HYPER"_s, u"type=2"_s, u"command=rome"_s,
                                     u"]"_s}));
        QCOMPARE(EntryType(lines), HyperTextType::GraphicOnly);
        QVERIFY(!ReadEntry(u"MISSING.QVR"_s, u"Rome"_s, u"HYPER"_s, lines));
        QStringList names;
        ListEntries(names, kFile, u"hyper"_s);
        QCOMPARE(names, QStringList({u"Paris"_s, u"Rome"_s, u"PARIS"_s, u"Lyon "_s, u"odd"_s}));
        QStringList none;
        ListEntries(none, u"MISSING.QVR"_s, u"HYPER"_s);
        QVERIFY(none.isEmpty());
    }

    void entryExists_data()
    {
        QTest::addColumn<QString>("newName");
        QTest::addColumn<QString>("oldName");
        QTest::addColumn<bool>("exists");
        QTest::newRow("adding a taken name") << u"rome"_s << QString() << true;
        QTest::newRow("adding a free name") << u"Nice"_s << QString() << false;
        QTest::newRow("renaming to itself") << u"ROME"_s << u"Rome"_s << false;
        QTest::newRow("renaming onto another") << u"Rome"_s << u"Paris"_s << true;
        QTest::newRow("taken by another source only") << u"Intro"_s << QString() << false;
    }
    void entryExists()
    {
        QFETCH(QString, newName);
        QFETCH(QString, oldName);
        QFETCH(bool, exists);
        CurrentTempDir dir;
        writeBytes(kFile, sample() + simple("Intro", "INTRO", "x"));
        QCOMPARE(EntryExists(kFile, newName, oldName, u"HYPER"_s), exists);
        QVERIFY(!EntryExists(u"MISSING.QVR"_s, newName, oldName, u"HYPER"_s));
    }

    void addEntry_writesSixLinesAfterWhatTheFileHolds()
    {
        CurrentTempDir dir;
        const QByteArray sun = "[Sun]\r\nsource=HYPER\r\ntype=3\r\ncommand=SUN.WAV\r\n]\r\n\r\n";
        AddEntry(kFile, u"Sun"_s, 3, u"SUN.WAV"_s, u"HYPER"_s);
        QCOMPARE(readBytes(kFile), sun);
        AddEntry(kFile, u"Moon"_s, 2, u"A.BMP,30"_s, u"HYPER"_s);
        QCOMPARE(readBytes(kFile), sun + simple("Moon", "HYPER", "A.BMP,30"));
        // After a last line without its line end both sections stay whole.
        writeBytes(kFile, "[A]\r\nsource=HYPER\r\ntype=2\r\ncommand=a\r\n]");
        AddEntry(kFile, u"B"_s, 2, u"b"_s, u"HYPER"_s);
        QCOMPARE(commandOf(u"A"_s, u"HYPER"_s), u"command=a"_s);
        QCOMPARE(commandOf(u"B"_s, u"HYPER"_s), u"command=b"_s);
    }

    void replaceEntry_keepsPlaceOrderAndOneEmptyLine()
    {
        CurrentTempDir dir;
        writeBytes(kFile, simple("A", "HYPER", "a") + simple("B", "HYPER", "b") +
                              simple("C", "HYPER", "c") + simple("D", "HYPER", "d") +
                              simple("E", "HYPER", "e"));
        ReplaceEntry(kFile, u"New"_s, u"c"_s, 3, u"n.wav"_s, u"HYPER"_s);
        QCOMPARE(readBytes(kFile),
                 simple("A", "HYPER", "a") + simple("B", "HYPER", "b") +
                     "[New]\r\nsource=HYPER\r\ntype=3\r\ncommand=n.wav\r\n]\r\n\r\n" +
                     simple("D", "HYPER", "d") + simple("E", "HYPER", "e"));
        QCOMPARE(thrownText<InOutError>(
                     [] { ReplaceEntry(u"NONE.QVR"_s, u"A"_s, u"A"_s, 2, QString(), u"HYPER"_s); }),
                 u"File not found: NONE.QVR"_s);
        QCOMPARE(dir.entries(), QStringList{kFile});
    }

    void deleteEntry_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("both duplicates go")
            << u"paris"_s << u"HYPER"_s
            << simple("paris", "INTRO", "intro") + simple("Rome", "HYPER", "rome") +
                   simple("Lyon ", "HYPER", "lyon");
        QTest::newRow("other source stays")
            << u"Paris"_s << u"INTRO"_s
            << simple("Paris", "HYPER", "first") + simple("Rome", "HYPER", "rome") +
                   simple("PARIS", "HYPER", "second") + simple("Lyon ", "HYPER", "lyon");
        QTest::newRow("nothing matches") << u"Nice"_s << u"HYPER"_s << sample();
    }
    void deleteEntry()
    {
        QFETCH(QString, name);
        QFETCH(QString, source);
        QFETCH(QByteArray, after);
        CurrentTempDir dir;
        writeBytes(kFile, sample());
        DeleteEntry(kFile, name, source);
        QCOMPARE(readBytes(kFile), after);
        QCOMPARE(dir.entries(), QStringList{kFile});
    }

    // A section without its terminator runs to the end of the file; the last section goes with
    // its file, and deleting from no file is no error.
    void deleteEntry_unterminatedAndLastSection()
    {
        CurrentTempDir dir;
        writeBytes(kFile, simple("A", "HYPER", "a") + "[B]\r\nsource=HYPER\r\ntype=2\r\n" +
                              simple("C", "HYPER", "c"));
        DeleteEntry(kFile, u"B"_s, u"HYPER"_s);
        QCOMPARE(readBytes(kFile), simple("A", "HYPER", "a"));
        DeleteEntry(kFile, u"a"_s, u"HYPER"_s);
        QVERIFY(dir.entries().isEmpty());
        DeleteEntry(kFile, u"A"_s, u"HYPER"_s);
        QVERIFY(dir.entries().isEmpty());
    }

    // Phrases in any script keep their own links: the file turns UTF-8 with its mark when a text
    // needs it (converting what it held), stays UTF-8, and names match by Unicode case folding,
    // in the file and in its compiled form alike.
    void phrasesInAnyScript_keepTheirOwnLinks()
    {
        CurrentTempDir dir;
        const QString white = u"\u0411\u0435\u043B\u044B\u0435 \u043D\u043E\u0447\u0438"_s;
        const QString calm = u"\u0422\u0438\u0445\u043E\u0435 \u043C\u043E\u0440\u0435"_s;
        const QString shalom = u"\u05E9\u05DC\u05D5\u05DD"_s;
        const auto add = [](const QString& name, const QString& command) {
            AddEntry(kFile, name, 2, command, u"HYPER"_s);
        };
        add(u"Caf\u00E9"_s, u"cafe"_s);
        QCOMPARE(readBytes(kFile).left(14), QByteArray("[Caf\xE9]\r\nsource"));
        add(white, u"white"_s);
        add(calm, u"calm"_s);
        add(u"\u039F\u0394\u038C\u03A3"_s, u"road"_s);
        add(u"\u6771\u4EAC\u90FD"_s, u"tokyo"_s); // three letters each: once both "???"
        add(u"\u5927\u962A\u5E9C"_s, u"osaka"_s);
        add(u"\u212Aelvin"_s, u"kelvin"_s); // the Kelvin sign folds to an ASCII letter
        QVERIFY(readBytes(kFile).startsWith("\xEF\xBB\xBF[Caf\xC3\xA9]\r\n"));
        AddIntroEntry(kFile, {shalom});

        const QByteArray compiled = CompileSections(readBytes(kFile));
        QCOMPARE(compiled.left(4), QByteArray("\x03KRU"));
        const CompiledSections sections = CompiledSections::fromBytes(compiled);
        const QList<std::pair<QString, QString>> lookups = {
            {u"CAF\u00C9"_s, u"command=cafe"_s},
            {white.toLower(), u"command=white"_s},
            {u"\u0422\u0418\u0425\u041E\u0415 \u041C\u041E\u0420\u0415"_s, u"command=calm"_s},
            {u"\u03BF\u03B4\u03CC\u03C2"_s, u"command=road"_s}, // final sigma folds as sigma
            {u"\u0422\u0438\u0445\u043E\u0435 \u043C\u043E\u0440\u044F"_s, u"<none>"_s},
            {u"\u6771\u4EAC\u90FD"_s, u"command=tokyo"_s},
            {u"\u5927\u962A\u5E9C"_s, u"command=osaka"_s},
            {u"\u6771\u4EAC"_s, u"<none>"_s},
            {u"KELVIN"_s, u"command=kelvin"_s}};
        for (const auto& [name, command] : lookups) {
            QCOMPARE(commandOf(name, u"hyper"_s), command);
            QStringList lines;
            sections.readEntry(name, u"HYPER"_s, lines);
            QCOMPARE(lines.value(3, u"<none>"_s), command);
        }
        QVERIFY(EntryExists(kFile, calm.toLower(), QString(), u"HYPER"_s));
        QStringList intro;
        QVERIFY(ReadIntroEntry(kFile, intro));
        QCOMPARE(intro, QStringList{shalom});

        DeleteEntry(kFile, white, u"HYPER"_s);
        ReplaceEntry(kFile, u"Calm"_s, calm, 2, u"calm"_s, u"HYPER"_s);
        QVERIFY(readBytes(kFile).startsWith("\xEF\xBB\xBF[Caf\xC3\xA9]")); // stays UTF-8
        QCOMPARE(commandOf(u"calm"_s, u"HYPER"_s), u"command=calm"_s);
    }

    // A book saved before Unicode names holds "?" for every letter Windows-1252 lacked: such a
    // section is found by its "?" name only, never by a phrase of other letters, and its other
    // names are read as Windows-1252 in the compiled form too.
    void questionMarkNamesAndCutHeaders()
    {
        CurrentTempDir dir;
        writeBytes(kFile,
                   simple("????? ????", "HYPER", "old") + simple("Caf\xE9", "HYPER", "cafe"));
        const QString calm = u"\u0422\u0438\u0445\u043E\u0435 \u043C\u043E\u0440\u0435"_s;
        QCOMPARE(commandOf(calm, u"HYPER"_s), u"<none>"_s);
        QCOMPARE(commandOf(u"????? ????"_s, u"HYPER"_s), u"command=old"_s);
        QVERIFY(!EntryExists(kFile, calm, QString(), u"HYPER"_s));
        const CompiledSections sections =
            CompiledSections::fromBytes(CompileSections(readBytes(kFile)));
        QCOMPARE(sections.find(calm, u"HYPER"_s), -1);
        QCOMPARE(sections.find(u"????? ????"_s, u"HYPER"_s), 0);
        QCOMPARE(sections.find(u"CAF\u00C9"_s, u"hyper"_s), 1); // a Windows-1252 name, folded

        // The compiled index holds 60 bytes of a header: a UTF-8 one is cut between characters.
        const QString name = QString(40, QChar(0x0436)); // two bytes each
        const QByteArray file = "\xEF\xBB\xBF[" + name.toUtf8() + "]\r\nsource=HYPER\r\n]\r\n";
        const CompiledSections cut = CompiledSections::fromBytes(CompileSections(file));
        QCOMPARE(cut.headerLine(0), QLatin1Char('[') + name.left(29));
        QCOMPARE(cut.find(name.toUpper(), u"HYPER"_s), 0);
    }

    void selectEntry_asksTheChooser()
    {
        struct Chooser : EntryChooser
        {
            QStringList shown;
            int choose(const QStringList& lines, int selected, int helpContext,
                       const QString& caption) override
            {
                shown = lines;
                shown << QString::number(selected) << QString::number(helpContext) << caption;
                return 1;
            }
        } chooser;
        ScopedService<ChooserSlot, EntryChooser> guard(chooser);
        CurrentTempDir dir;
        QCOMPARE(SelectEntry(kFile, u"HYPER"_s, u"Pick"_s, 257), QString());
        QVERIFY(chooser.shown.isEmpty());
        writeBytes(kFile, simple("A", "HYPER", "a") + simple("B", "HYPER", "b"));
        QCOMPARE(SelectEntry(kFile, u"HYPER"_s, u"Pick"_s, 257), u"B"_s);
        QCOMPARE(chooser.shown, QStringList({u"A"_s, u"B"_s, u"0"_s, u"257"_s, u"Pick"_s}));

        // A name of a megabyte (a damaged file) is listed cut, and chosen whole.
        const QByteArray huge(1 << 20, 'n');
        writeBytes(kFile, simple("A", "HYPER", "a") + simple(huge, "HYPER", "b"));
        QCOMPARE(SelectEntry(kFile, u"HYPER"_s, u"Pick"_s, 257), QString::fromLatin1(huge));
        QCOMPARE(chooser.shown.at(1), QString(200, QLatin1Char('n')) + u"..."_s);
    }

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
        writeBytes(kFile, simple("A", "HYPER", "a"));
        AddIntroEntry(kFile, {u"{\\rtf1"_s, u"Hello}"_s});
        writeBytes(kFile, readBytes(kFile) + simple("B", "HYPER", "b"));
        QStringList text;
        QVERIFY(ReadIntroEntry(kFile, text));
        QCOMPARE(text, QStringList({u"{\\rtf1"_s, u"Hello}"_s}));

        ReplaceIntroEntry(kFile, {u"New"_s});
        QCOMPARE(readBytes(kFile),
                 simple("A", "HYPER", "a") +
                     "[^INTRODUCTION^]\r\nsource=INTRO\r\ntext=\r\nNew\r\n]\r\n\r\n" +
                     simple("B", "HYPER", "b"));
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
        writeBytes(kFile, simple("A", "HYPER", "a"));
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

    void compile_layoutByteForByteAndCuts()
    {
        const QByteArray out = CompileSections(kSource);
        QCOMPARE(out.left(5), QByteArray("\x03KR1\0", 5));
        QCOMPARE(intAt(out, 5), 2);
        const QByteArray paris = "[Paris]\r\nHYPER\r\ntype=2\r\ncommand=P.BMP\r\n";
        const QByteArray rome = "[Rome]\r\nHYPER\r\ntype=3\r\ncommand=R.WAV\r\n";
        QCOMPARE(out.mid(13, paris.size() + rome.size()), paris + rome);
        const int index = 13 + paris.size() + rome.size();
        QCOMPARE(intAt(out, 9), index);
        QCOMPARE(out.size(), index + 2 * 80);

        QCOMPARE(stringAt(out, index), QByteArray("[Paris]"));
        QCOMPARE(out.mid(index + 1 + 7, 60 - 7), QByteArray(53, '\0'));
        QCOMPARE(intAt(out, index + 61), 13);
        QCOMPARE(intAt(out, index + 65), paris.size());
        QCOMPARE(stringAt(out, index + 69), QByteArray("HYPER"));
        QCOMPARE(intAt(out, index + 80 + 61), 13 + paris.size());
        QCOMPARE(intAt(out, index + 80 + 65), rome.size());

        // The index cuts a header at 60 bytes and a source at 10; the body keeps the header whole.
        const QByteArray longName(70, 'n');
        const QByteArray cut =
            CompileSections("[" + longName + "]\r\nsource=ABCDEFGHIJKLM\r\n]\r\n");
        const int cutIndex = intAt(cut, 9);
        QCOMPARE(stringAt(cut, cutIndex), "[" + longName.left(59));
        QCOMPARE(stringAt(cut, cutIndex + 69), QByteArray("ABCDEFGHIJ"));
        QCOMPARE(cut.mid(13, cutIndex - 13), "[" + longName + "]\r\nABCDEFGHIJ\r\n");
        const CompiledSections sections = CompiledSections::fromBytes(cut);
        QCOMPARE(sections.find(QString::fromLatin1(longName), u"abcdefghijklm"_s), 0);
        QCOMPARE(sections.find(QString::fromLatin1(longName.left(59)) + u"zz"_s, u"ABCDEFGHIJ"_s),
                 0);
    }

    void compiledFiles_emptyIsThirteenBytesAndReadAtAnOffset()
    {
        CurrentTempDir dir;
        writeBytes(u"EMPTY.QVR"_s, "no sections here\r\n");
        QVERIFY(CompileSectionFile(u"EMPTY.QVR"_s, u"$$$"_s));
        QCOMPARE(readBytes(u"EMPTY.$$$"_s), QByteArray("\x03KR1\0\0\0\0\0\0\0\0\0", 13));
        QCOMPARE(CompiledSections::fromBytes(readBytes(u"EMPTY.$$$"_s)).count(), 0);
        QVERIFY(!CompileSectionFile(u"NONE.QVR"_s, u"$$$"_s));
        QVERIFY(!QFile::exists(u"NONE.$$$"_s));

        // A block read from a file at an offset, as a book holds it.
        const QByteArray block = CompileSections(kSource);
        writeBytes(u"BOOK.EXE"_s, QByteArray(1000, 'x') + block + QByteArray(20, 'y'));
        const CompiledSections sections =
            CompiledSections::fromFile(u"BOOK.EXE"_s, 1000, block.size());
        QStringList lines;
        QVERIFY(sections.readEntry(u"ROME"_s, u"HYPER"_s, lines));
        QCOMPARE(lines.at(0), u"Rome"_s);
        QVERIFY_THROWS_EXCEPTION(CompiledBlockError, CompiledSections::fromFile(
                                                         u"BOOK.EXE"_s, 1000, block.size() + 100));
        QVERIFY_THROWS_EXCEPTION(InOutError, CompiledSections::fromFile(u"NONE.EXE"_s, 0, 13));
    }

    void reader_refusesDamagedBlocks_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<qint32>("value");
        const QByteArray good = CompileSections(kSource);
        const int index = intAt(good, 9);
        QTest::newRow("bad magic") << 1 << qint32(0x00314B51);
        QTest::newRow("absurd count") << 5 << qint32(0x7FFFFFFF);
        QTest::newRow("negative count") << 5 << qint32(-1);
        QTest::newRow("index past the end") << 9 << qint32(good.size() - 80);
        QTest::newRow("index inside the header") << 9 << qint32(4);
        QTest::newRow("body offset outside") << index + 61 << qint32(good.size() + 5);
        QTest::newRow("body into the index") << index + 65 << qint32(1000);
        QTest::newRow("negative size") << index + 65 << qint32(-2);
        QTest::newRow("header length over 60") << index << qint32(0x000000FF);
    }
    void reader_refusesDamagedBlocks()
    {
        QFETCH(int, offset);
        QFETCH(qint32, value);
        QByteArray block = CompileSections(kSource);
        if (offset == index0())
            block[offset] = char(value);
        else
            std::memcpy(block.data() + offset, &value, 4);
        QVERIFY_THROWS_EXCEPTION(CompiledBlockError, CompiledSections::fromBytes(block));
    }

    // A short block is refused at once; checked on first use, a record is checked when it is used.
    void reader_shortBlocksAndChecksOnFirstUse()
    {
        QByteArray block = CompileSections(kSource);
        const QByteArray good = block;
        for (int size : {0, 5, 12, int(block.size()) - 1})
            QVERIFY_THROWS_EXCEPTION(CompiledBlockError,
                                     CompiledSections::fromBytes(block.left(size)));
        const qint32 bad = 0x7FFFFFF0;
        std::memcpy(block.data() + index0() + 61, &bad, 4); // the first record's body offset
        const CompiledSections lazy = CompiledSections::fromBytes(block, IndexCheck::OnFirstUse);
        QCOMPARE(lazy.count(), CompiledSections::fromBytes(good).count());
        QVERIFY_THROWS_EXCEPTION(CompiledBlockError, lazy.headerLine(0));
        QVERIFY_THROWS_EXCEPTION(CompiledBlockError, lazy.find(u"Paris"_s, u"HYPER"_s));
        QVERIFY_THROWS_EXCEPTION(CompiledBlockError, lazy.headerLine(lazy.count()));
        // The index's extent is still checked at once.
        QVERIFY_THROWS_EXCEPTION(CompiledBlockError, CompiledSections::fromBytes(
                                                         good.chopped(1), IndexCheck::OnFirstUse));
    }

private:
    static int index0() { return intAt(CompileSections(kSource), 9); }
};

QTEST_GUILESS_MAIN(SectionFileTest)
#include "tst_sectionfile.moc"
