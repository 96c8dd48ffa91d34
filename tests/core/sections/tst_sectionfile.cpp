// The section-file engine: matching, reading, listing, adding, replacing and deleting sections.
#include "testdir.h"
#include "thrown.h"

#include "core/files/runtimeerror.h"
#include "core/sections/compiledsections.h"
#include "core/sections/hypertext.h"
#include "core/sections/introduction.h"
#include "core/sections/sectionfile.h"

#include <QTest>

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
    // section is found by its "?" name only, never by a phrase of other letters.
    void questionMarkNamesAndCutHeaders()
    {
        CurrentTempDir dir;
        writeBytes(kFile, simple("????? ????", "HYPER", "old"));
        const QString calm = u"\u0422\u0438\u0445\u043E\u0435 \u043C\u043E\u0440\u0435"_s;
        QCOMPARE(commandOf(calm, u"HYPER"_s), u"<none>"_s);
        QCOMPARE(commandOf(u"????? ????"_s, u"HYPER"_s), u"command=old"_s);
        QVERIFY(!EntryExists(kFile, calm, QString(), u"HYPER"_s));
        const CompiledSections sections =
            CompiledSections::fromBytes(CompileSections(readBytes(kFile)));
        QCOMPARE(sections.find(calm, u"HYPER"_s), -1);
        QCOMPARE(sections.find(u"????? ????"_s, u"HYPER"_s), 0);

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
};

QTEST_GUILESS_MAIN(SectionFileTest)
#include "tst_sectionfile.moc"
