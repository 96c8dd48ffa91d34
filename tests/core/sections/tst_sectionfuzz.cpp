// Seeded random damage to section files and compiled blocks: every reader must give a defined
// result or a run-time error, never crash or read outside its data. Run it under the asan preset
// too; QUORELLE_FUZZ_ROUNDS raises the number of rounds.
#include "testdir.h"

#include "core/files/textcodec.h"
#include "core/sections/compiledsections.h"
#include "core/sections/introduction.h"
#include "core/sections/sectionfile.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

const QString kFile = u"FUZZ.QVR"_s;

// A Windows-1252 file, or (every other round) a UTF-8 one with its mark and a Cyrillic phrase.
QByteArray seedFile(bool utf8 = false)
{
    const QByteArray sections =
        "[Paris]\r\nsource=HYPER\r\ntype=2\r\ncommand=P.BMP,30\r\n]\r\n\r\n"
        "[^INTRODUCTION^]\r\nsource=INTRO\r\ntext=\r\n{\\rtf1 hi}\r\n]\r\n\r\n"
        "[Pop]\r\nsource=HYPER\r\ntype=1\r\ndisplaytype=1\r\nfullscreen=true\r\n]\r\n\r\n";
    if (!utf8)
        return sections;
    return textcodec::kUtf8Mark.toByteArray() + sections +
           QString::fromUtf8("[Белые ночи]\r\nsource=HYPER\r\ntype=2\r\ncommand=W.BMP\r\n]\r\n")
               .toUtf8();
}

QByteArray mutate(QByteArray bytes, QRandomGenerator& random)
{
    static const QByteArray alphabet("[]\r\n=xX ^\0\xff", 12);
    const int edits = 1 + random.bounded(6);
    for (int e = 0; e < edits; ++e) {
        const int pos = bytes.isEmpty() ? 0 : random.bounded(int(bytes.size()));
        switch (random.bounded(4)) {
        case 0:
            bytes.insert(pos, alphabet.at(random.bounded(int(alphabet.size()))));
            break;
        case 1:
            bytes.remove(pos, 1 + random.bounded(8));
            break;
        case 2:
            if (!bytes.isEmpty())
                bytes[pos] = char(random.bounded(256));
            break;
        default:
            bytes.truncate(pos);
        }
    }
    return bytes;
}

// The section rules written plainly, as the reference the engine's fast scanner is held against:
// lines end at CR LF, LF or CR; a header is a line starting with "["; its name is what lies
// between its first and last character; the next line is its source line, whose source starts
// after "source="; the body runs to the line "]"; the last matching section wins.
QList<QByteArray> referenceLines(const QByteArray& bytes)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        lines << bytes.mid(start, i - start);
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines << bytes.mid(start);
    return lines;
}

// A file starting with the UTF-8 mark is UTF-8, any other Windows-1252; names compare by
// Unicode case folding.
std::optional<QStringList> referenceEntry(const QByteArray& file, const QString& name)
{
    bool utf8 = false;
    const QByteArray bytes = textcodec::withoutMark(file, &utf8).toByteArray();
    const auto decode = [utf8](const QByteArray& b) { return textcodec::decodeAs(b, utf8); };
    const QList<QByteArray> lines = referenceLines(bytes);
    std::optional<QStringList> found;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray& line = lines.at(i);
        if (!line.startsWith('['))
            continue;
        const QByteArray header = line.mid(1, line.size() - 2); // "[" alone has an empty name
        const QByteArray sourceLine = lines.value(i + 1);
        if (decode(header).toCaseFolded() != name.toCaseFolded() ||
            decode(sourceLine.mid(7)).toCaseFolded() != u"hyper"_s)
            continue;
        QStringList entry{decode(header), decode(sourceLine)};
        for (qsizetype j = i + 2; j < lines.size(); ++j) {
            entry << decode(lines.at(j));
            if (lines.at(j) == "]")
                break;
        }
        found = entry;
    }
    return found;
}

// Names of the headers of a file without control characters, the ones the reference compares.
QStringList headerNames(const QByteArray& file)
{
    bool utf8 = false;
    const QByteArray bytes = textcodec::withoutMark(file, &utf8).toByteArray();
    QStringList names;
    for (const QByteArray& line : referenceLines(bytes)) {
        const bool printable =
            std::all_of(line.cbegin(), line.cend(), [](char c) { return c < 0 || c >= 0x20; });
        if (line.startsWith('[') && line.size() >= 2 && printable)
            names << textcodec::decodeAs(line.mid(1, line.size() - 2), utf8);
    }
    return names;
}

std::optional<QStringList> engineEntry(const QString& name)
{
    QStringList lines;
    if (!ReadEntry(kFile, name, u"HYPER"_s, lines))
        return std::nullopt;
    return lines;
}

int rounds()
{
    const int asked = qEnvironmentVariableIntValue("QUORELLE_FUZZ_ROUNDS");
    return asked > 0 ? asked : 400;
}

} // namespace

class SectionFuzzTest : public QObject
{
    Q_OBJECT

private slots:
    void damagedSectionFiles_giveDefinedResults()
    {
        CurrentTempDir dir;
        QRandomGenerator random(20261207);
        for (int round = 0; round < rounds(); ++round) {
            const QByteArray damaged = mutate(seedFile(round % 2 == 1), random);
            writeBytes(kFile, damaged);
            const QString context = QString::fromLatin1(damaged.toPercentEncoding());
            const QStringList compared = headerNames(damaged) << u"paris"_s;
            for (const QString& name : compared)
                QVERIFY2(engineEntry(name) == referenceEntry(damaged, name),
                         qPrintable(name + u' ' + context));
            QStringList names;
            ListEntries(names, kFile, u"HYPER"_s);
            QStringList lines;
            ReadIntroEntry(kFile, lines);
            const QByteArray compiled = CompileSections(readBytes(kFile));
            const CompiledSections sections = CompiledSections::fromBytes(compiled);
            for (const QString& name : std::as_const(names))
                sections.find(name, u"HYPER"_s);

            // A rewrite replaces exactly the entry it names and keeps every other header.
            const bool hadParis = referenceEntry(damaged, u"Paris"_s).has_value();
            ReplaceEntry(kFile, u"Paris"_s, u"Paris"_s, 3, u"x"_s, u"HYPER"_s);
            const QByteArray replaced = readBytes(kFile);
            if (hadParis)
                QCOMPARE(engineEntry(u"Paris"_s),
                         QStringList(
                             {u"Paris"_s, u"source=HYPER"_s, u"type=3"_s, u"command=x"_s, u"]"_s}));
            DeleteEntry(kFile, u"Pop"_s, u"HYPER"_s);
            QVERIFY2(!engineEntry(u"Pop"_s), qPrintable(context));
            QCOMPARE(EntryExists(kFile, u"Pop"_s, QString(), u"HYPER"_s), false);
            Q_UNUSED(replaced);
        }
    }

    void damagedCompiledBlocks_areRefusedOrRead()
    {
        QRandomGenerator random(7);
        const QByteArray good[] = {CompileSections(seedFile()), CompileSections(seedFile(true))};
        int refused = 0;
        for (int round = 0; round < rounds() * 5; ++round) {
            try {
                const CompiledSections sections =
                    CompiledSections::fromBytes(mutate(good[round % 2], random));
                QStringList lines;
                sections.readEntry(u"Paris"_s, u"HYPER"_s, lines);
                // Every well-formed entry of an accepted block is found again through the index:
                // itself or a later one of the same name and source.
                for (int i = 0; i < sections.count(); ++i) {
                    const QString header = sections.headerLine(i);
                    if (!header.startsWith(u'[') || !header.endsWith(u']') || header.size() < 2)
                        continue;
                    const int found =
                        sections.find(header.mid(1, header.size() - 2), sections.source(i));
                    QVERIFY(found >= i);
                    QCOMPARE(sections.headerLine(found).toCaseFolded(), header.toCaseFolded());
                }
            } catch (const CompiledBlockError&) {
                ++refused;
            }
        }
        QVERIFY(refused > 0);
    }
};

QTEST_GUILESS_MAIN(SectionFuzzTest)
#include "tst_sectionfuzz.moc"
