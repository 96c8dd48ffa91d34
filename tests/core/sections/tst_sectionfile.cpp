// The section-file engine: matching, reading, listing, adding, replacing and deleting sections.
#include "testdir.h"
#include "thrown.h"

#include "core/files/runtimeerror.h"
#include "core/sections/compiledsections.h"
#include "core/sections/hypertext.h"
#include "core/sections/introduction.h"
#include "core/sections/sectionfile.h"

#include <QTest>

namespace {

const QString kFile = QStringLiteral("BOOK.QVR");

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
        return QStringLiteral("<none>");
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
        QTest::newRow("last of two wins") << QStringLiteral("Paris") << QStringLiteral("HYPER")
                                          << QStringLiteral("command=second");
        QTest::newRow("any case") << QStringLiteral("pArIs") << QStringLiteral("hyper")
                                  << QStringLiteral("command=second");
        QTest::newRow("other source") << QStringLiteral("PARIS") << QStringLiteral("INTRO")
                                      << QStringLiteral("command=intro");
        QTest::newRow("no trimming")
            << QStringLiteral("Paris ") << QStringLiteral("HYPER") << QStringLiteral("<none>");
        QTest::newRow("trailing blank kept")
            << QStringLiteral("Lyon ") << QStringLiteral("HYPER") << QStringLiteral("command=lyon");
        QTest::newRow("whole name only")
            << QStringLiteral("Lyon") << QStringLiteral("HYPER") << QStringLiteral("<none>");
        QTest::newRow("whole source only")
            << QStringLiteral("Rome") << QStringLiteral("HYPERX") << QStringLiteral("<none>");
    }
    void readEntry_matching()
    {
        QFETCH(QString, name);
        QFETCH(QString, source);
        QFETCH(QString, command);
        CurrentTempDir dir;
        writeBytes(kFile, sample());
        QCOMPARE(commandOf(name, source), command);
    }

    void readEntry_givesNameSourceLineKeysAndTerminator()
    {
        CurrentTempDir dir;
        writeBytes(kFile, sample());
        QStringList lines;
        QVERIFY(FindHyperEntry(kFile, QStringLiteral("rome"), lines));
        QCOMPARE(lines, QStringList({QStringLiteral("Rome"), QStringLiteral("source=HYPER"),
                                     QStringLiteral("type=2"), QStringLiteral("command=rome"),
                                     QStringLiteral("]")}));
        QCOMPARE(EntryType(lines), HyperTextType::GraphicOnly);
        QVERIFY(!ReadEntry(QStringLiteral("MISSING.QVR"), QStringLiteral("Rome"),
                           QStringLiteral("HYPER"), lines));
    }

    void readEntry_oddFiles_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("lines");
        const QStringList rome = {QStringLiteral("Rome"), QStringLiteral("source=HYPER"),
                                  QStringLiteral("x=1"), QStringLiteral("]")};
        QTest::newRow("LF only") << QByteArray("[Rome]\nsource=HYPER\nx=1\n]\n\n")
                                 << QStringLiteral("Rome") << rome;
        QTest::newRow("CR only") << QByteArray("[Rome]\rsource=HYPER\rx=1\r]\r\r")
                                 << QStringLiteral("Rome") << rome;
        QTest::newRow("no terminator runs to the end")
            << QByteArray("[Rome]\r\nsource=HYPER\r\nx=1\r\n[Next]\r\n") << QStringLiteral("Rome")
            << QStringList{QStringLiteral("Rome"), QStringLiteral("source=HYPER"),
                           QStringLiteral("x=1"), QStringLiteral("[Next]")};
        QTest::newRow("one-character header")
            << QByteArray("[\r\nsource=HYPER\r\n]\r\n") << QString()
            << QStringList{QString(), QStringLiteral("source=HYPER"), QStringLiteral("]")};
        QTest::newRow("source line missing at the end")
            << QByteArray("[Rome]") << QStringLiteral("Rome") << QStringList();
        QTest::newRow("text line starting with ]")
            << QByteArray("[Rome]\r\nsource=HYPER\r\n]x\r\n]\r\n") << QStringLiteral("Rome")
            << QStringList{QStringLiteral("Rome"), QStringLiteral("source=HYPER"),
                           QStringLiteral("]x"), QStringLiteral("]")};
    }
    void readEntry_oddFiles()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, name);
        QFETCH(QStringList, lines);
        CurrentTempDir dir;
        writeBytes(kFile, content);
        QStringList read;
        QCOMPARE(ReadEntry(kFile, name, QStringLiteral("HYPER"), read), !lines.isEmpty());
        QCOMPARE(read, lines);
    }

    void listEntries_inFileOrderBySource()
    {
        CurrentTempDir dir;
        writeBytes(kFile, sample() + "[odd]\r\nfrom=HYPER\r\n]\r\n");
        QStringList names;
        ListEntries(names, kFile, QStringLiteral("hyper"));
        QCOMPARE(names, QStringList({QStringLiteral("Paris"), QStringLiteral("Rome"),
                                     QStringLiteral("PARIS"), QStringLiteral("Lyon "),
                                     QStringLiteral("odd")}));
        names.clear();
        ListEntries(names, QStringLiteral("MISSING.QVR"), QStringLiteral("HYPER"));
        QVERIFY(names.isEmpty());
    }

    void entryExists_data()
    {
        QTest::addColumn<QString>("newName");
        QTest::addColumn<QString>("oldName");
        QTest::addColumn<bool>("exists");
        QTest::newRow("adding a taken name") << QStringLiteral("rome") << QString() << true;
        QTest::newRow("adding a free name") << QStringLiteral("Nice") << QString() << false;
        QTest::newRow("renaming to itself")
            << QStringLiteral("ROME") << QStringLiteral("Rome") << false;
        QTest::newRow("renaming onto another")
            << QStringLiteral("Rome") << QStringLiteral("Paris") << true;
        QTest::newRow("taken by another source only")
            << QStringLiteral("Intro") << QString() << false;
    }
    void entryExists()
    {
        QFETCH(QString, newName);
        QFETCH(QString, oldName);
        QFETCH(bool, exists);
        CurrentTempDir dir;
        writeBytes(kFile, sample() + simple("Intro", "INTRO", "x"));
        QCOMPARE(EntryExists(kFile, newName, oldName, QStringLiteral("HYPER")), exists);
        QVERIFY(
            !EntryExists(QStringLiteral("MISSING.QVR"), newName, oldName, QStringLiteral("HYPER")));
    }

    void addEntry_toMissingFile_writesExactlySixLines()
    {
        CurrentTempDir dir;
        AddEntry(kFile, QStringLiteral("Sun"), 3, QStringLiteral("SUN.WAV"),
                 QStringLiteral("HYPER"));
        QCOMPARE(readBytes(kFile),
                 QByteArray("[Sun]\r\nsource=HYPER\r\ntype=3\r\ncommand=SUN.WAV\r\n]\r\n\r\n"));
        AddEntry(kFile, QStringLiteral("Moon"), 2, QStringLiteral("A.BMP,30"),
                 QStringLiteral("HYPER"));
        QCOMPARE(readBytes(kFile).count("\r\n\r\n"), 2);
    }

    void addEntry_afterLastLineWithoutLineEnd_keepsBothSections()
    {
        CurrentTempDir dir;
        writeBytes(kFile, "[A]\r\nsource=HYPER\r\ntype=2\r\ncommand=a\r\n]");
        AddEntry(kFile, QStringLiteral("B"), 2, QStringLiteral("b"), QStringLiteral("HYPER"));
        QCOMPARE(commandOf(QStringLiteral("A"), QStringLiteral("HYPER")),
                 QStringLiteral("command=a"));
        QCOMPARE(commandOf(QStringLiteral("B"), QStringLiteral("HYPER")),
                 QStringLiteral("command=b"));
    }

    void replaceEntry_keepsPlaceOrderAndOneEmptyLine()
    {
        CurrentTempDir dir;
        writeBytes(kFile, simple("A", "HYPER", "a") + simple("B", "HYPER", "b") +
                              simple("C", "HYPER", "c") + simple("D", "HYPER", "d") +
                              simple("E", "HYPER", "e"));
        ReplaceEntry(kFile, QStringLiteral("New"), QStringLiteral("c"), 3, QStringLiteral("n.wav"),
                     QStringLiteral("HYPER"));
        QCOMPARE(readBytes(kFile),
                 simple("A", "HYPER", "a") + simple("B", "HYPER", "b") +
                     "[New]\r\nsource=HYPER\r\ntype=3\r\ncommand=n.wav\r\n]\r\n\r\n" +
                     simple("D", "HYPER", "d") + simple("E", "HYPER", "e"));
        QCOMPARE(dir.entries(), QStringList{kFile});
    }

    void replaceEntry_missingFile_isFileNotFound()
    {
        CurrentTempDir dir;
        QCOMPARE(thrownText<InOutError>([] {
                     ReplaceEntry(kFile, QStringLiteral("A"), QStringLiteral("A"), 2, QString(),
                                  QStringLiteral("HYPER"));
                 }),
                 QStringLiteral("File not found: BOOK.QVR"));
    }

    void deleteEntry_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("both duplicates go")
            << QStringLiteral("paris") << QStringLiteral("HYPER")
            << simple("paris", "INTRO", "intro") + simple("Rome", "HYPER", "rome") +
                   simple("Lyon ", "HYPER", "lyon");
        QTest::newRow("other source stays")
            << QStringLiteral("Paris") << QStringLiteral("INTRO")
            << simple("Paris", "HYPER", "first") + simple("Rome", "HYPER", "rome") +
                   simple("PARIS", "HYPER", "second") + simple("Lyon ", "HYPER", "lyon");
        QTest::newRow("nothing matches")
            << QStringLiteral("Nice") << QStringLiteral("HYPER") << sample();
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

    void deleteEntry_lastSectionDeletesTheFile()
    {
        CurrentTempDir dir;
        AddEntry(kFile, QStringLiteral("Only"), 2, QStringLiteral("x"), QStringLiteral("HYPER"));
        DeleteEntry(kFile, QStringLiteral("ONLY"), QStringLiteral("HYPER"));
        QVERIFY(dir.entries().isEmpty());
        QStringList lines;
        QVERIFY(!ReadEntry(kFile, QStringLiteral("Only"), QStringLiteral("HYPER"), lines));
        DeleteEntry(kFile, QStringLiteral("Only"), QStringLiteral("HYPER")); // nothing to do
        AddEntry(kFile, QStringLiteral("Again"), 2, QStringLiteral("y"), QStringLiteral("HYPER"));
        QCOMPARE(commandOf(QStringLiteral("again"), QStringLiteral("HYPER")),
                 QStringLiteral("command=y"));
    }

    void deleteEntry_missingTerminatorDropsToTheEnd()
    {
        CurrentTempDir dir;
        writeBytes(kFile, simple("A", "HYPER", "a") + "[B]\r\nsource=HYPER\r\ntype=2\r\n" +
                              simple("C", "HYPER", "c"));
        DeleteEntry(kFile, QStringLiteral("B"), QStringLiteral("HYPER"));
        QCOMPARE(readBytes(kFile), simple("A", "HYPER", "a"));
    }

    // Phrases in any script keep their own links: the file turns UTF-8 with its mark when a text
    // needs it (converting what it held), stays UTF-8, and names match by Unicode case folding,
    // in the file and in its compiled form alike.
    void phrasesInAnyScript_keepTheirOwnLinks()
    {
        CurrentTempDir dir;
        const auto add = [](const char* name, const QString& command) {
            AddEntry(kFile, QString::fromUtf8(name), 2, command, QStringLiteral("HYPER"));
        };
        add("Caf\u00E9", QStringLiteral("cafe"));
        QCOMPARE(readBytes(kFile).left(14), QByteArray("[Caf\xE9]\r\nsource"));
        add("\u0411\u0435\u043B\u044B\u0435 \u043D\u043E\u0447\u0438", QStringLiteral("white"));
        add("\u0422\u0438\u0445\u043E\u0435 \u043C\u043E\u0440\u0435", QStringLiteral("calm"));
        add("\u039F\u0394\u038C\u03A3", QStringLiteral("road"));
        QVERIFY(readBytes(kFile).startsWith("\xEF\xBB\xBF[Caf\xC3\xA9]\r\n"));
        AddIntroEntry(kFile, {QString::fromUtf8("\u05E9\u05DC\u05D5\u05DD")});

        const QByteArray compiled = CompileSections(readBytes(kFile));
        QCOMPARE(compiled.left(4), QByteArray("\x03KRU"));
        const CompiledSections sections = CompiledSections::fromBytes(compiled);
        const QList<std::pair<const char*, const char*>> lookups = {
            {"CAF\u00C9", "command=cafe"},
            {"\u0431\u0435\u043B\u044B\u0435 \u043D\u043E\u0447\u0438", "command=white"},
            {"\u0422\u0418\u0425\u041E\u0415 \u041C\u041E\u0420\u0415", "command=calm"},
            {"\u03BF\u03B4\u03CC\u03C2", "command=road"}, // final sigma folds as sigma
            {"\u0422\u0438\u0445\u043E\u0435 \u043C\u043E\u0440\u044F", "<none>"},
            {"\u6771\u4EAC", "<none>"}};
        for (const auto& [name, command] : lookups) {
            QCOMPARE(commandOf(QString::fromUtf8(name), QStringLiteral("hyper")),
                     QString::fromUtf8(command));
            QStringList lines;
            sections.readEntry(QString::fromUtf8(name), QStringLiteral("HYPER"), lines);
            QCOMPARE(lines.value(3, QStringLiteral("<none>")), QString::fromUtf8(command));
        }
        QVERIFY(EntryExists(
            kFile, QString::fromUtf8("\u0442\u0438\u0445\u043E\u0435 \u043C\u043E\u0440\u0435"),
            QString(), QStringLiteral("HYPER")));
        QStringList intro;
        QVERIFY(ReadIntroEntry(kFile, intro));
        QCOMPARE(intro, QStringList{QString::fromUtf8("\u05E9\u05DC\u05D5\u05DD")});

        DeleteEntry(kFile,
                    QString::fromUtf8("\u0431\u0435\u043B\u044B\u0435 \u043D\u043E\u0447\u0438"),
                    QStringLiteral("HYPER"));
        ReplaceEntry(kFile, QStringLiteral("Calm"),
                     QString::fromUtf8("\u0422\u0438\u0445\u043E\u0435 \u043C\u043E\u0440\u0435"),
                     2, QStringLiteral("calm"), QStringLiteral("HYPER"));
        QVERIFY(readBytes(kFile).startsWith("\xEF\xBB\xBF[Caf\xC3\xA9]")); // stays UTF-8
        QCOMPARE(commandOf(QStringLiteral("calm"), QStringLiteral("HYPER")),
                 QStringLiteral("command=calm"));
    }

    // A book saved before Unicode names holds "?" for every letter Windows-1252 lacked: such a
    // section is found by its "?" name only, never by a phrase of other letters.
    void questionMarkNames_matchNoOtherPhrase()
    {
        CurrentTempDir dir;
        writeBytes(kFile, simple("????? ????", "HYPER", "old"));
        const QString calm =
            QString::fromUtf8("\u0422\u0438\u0445\u043E\u0435 \u043C\u043E\u0440\u0435");
        QCOMPARE(commandOf(calm, QStringLiteral("HYPER")), QStringLiteral("<none>"));
        QCOMPARE(commandOf(QStringLiteral("????? ????"), QStringLiteral("HYPER")),
                 QStringLiteral("command=old"));
        QVERIFY(!EntryExists(kFile, calm, QString(), QStringLiteral("HYPER")));
        const CompiledSections sections =
            CompiledSections::fromBytes(CompileSections(readBytes(kFile)));
        QCOMPARE(sections.find(calm, QStringLiteral("HYPER")), -1);
        QCOMPARE(sections.find(QStringLiteral("????? ????"), QStringLiteral("HYPER")), 0);
    }

    // The compiled index holds 60 bytes of a header: a UTF-8 one is cut between characters.
    void compiledUtf8Header_isCutBetweenCharacters()
    {
        const QString name = QString(40, QChar(0x0436)); // two bytes each
        const QByteArray file = "\xEF\xBB\xBF[" + name.toUtf8() + "]\r\nsource=HYPER\r\n]\r\n";
        const CompiledSections sections = CompiledSections::fromBytes(CompileSections(file));
        QCOMPARE(sections.headerLine(0), QLatin1Char('[') + name.left(29));
        QCOMPARE(sections.find(name.toUpper(), QStringLiteral("HYPER")), 0);
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
        QCOMPARE(SelectEntry(kFile, QStringLiteral("HYPER"), QStringLiteral("Pick"), 257),
                 QString());
        QVERIFY(chooser.shown.isEmpty());
        writeBytes(kFile, simple("A", "HYPER", "a") + simple("B", "HYPER", "b"));
        QCOMPARE(SelectEntry(kFile, QStringLiteral("HYPER"), QStringLiteral("Pick"), 257),
                 QStringLiteral("B"));
        QCOMPARE(chooser.shown,
                 QStringList({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("0"),
                              QStringLiteral("257"), QStringLiteral("Pick")}));

        // A name of a megabyte (a damaged file) is listed cut, and chosen whole.
        const QByteArray huge(1 << 20, 'n');
        writeBytes(kFile, simple("A", "HYPER", "a") + simple(huge, "HYPER", "b"));
        QCOMPARE(SelectEntry(kFile, QStringLiteral("HYPER"), QStringLiteral("Pick"), 257),
                 QString::fromLatin1(huge));
        QCOMPARE(chooser.shown.at(1), QString(200, QLatin1Char('n')) + QStringLiteral("..."));
    }
};

QTEST_GUILESS_MAIN(SectionFileTest)
#include "tst_sectionfile.moc"
