// The section-file engine: matching, reading, listing, adding, replacing and deleting sections.
#include "testdir.h"
#include "thrown.h"

#include "core/files/runtimeerror.h"
#include "core/sections/hypertext.h"
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
