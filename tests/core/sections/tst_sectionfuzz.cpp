// Seeded random damage to section files and compiled blocks: every reader must give a defined
// result or a run-time error, never crash or read outside its data. Run it under the asan preset
// too; QUORELLE_FUZZ_ROUNDS raises the number of rounds.
#include "testdir.h"

#include "core/sections/compiledsections.h"
#include "core/sections/introduction.h"
#include "core/sections/sectionfile.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

const QString kFile = QStringLiteral("FUZZ.QVR");

QByteArray seedFile()
{
    return "[Paris]\r\nsource=HYPER\r\ntype=2\r\ncommand=P.BMP,30\r\n]\r\n\r\n"
           "[^INTRODUCTION^]\r\nsource=INTRO\r\ntext=\r\n{\\rtf1 hi}\r\n]\r\n\r\n"
           "[Pop]\r\nsource=HYPER\r\ntype=1\r\ndisplaytype=1\r\nfullscreen=true\r\n]\r\n\r\n";
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
            writeBytes(kFile, mutate(seedFile(), random));
            QStringList lines;
            QStringList names;
            ReadEntry(kFile, QStringLiteral("paris"), QStringLiteral("HYPER"), lines);
            ListEntries(names, kFile, QStringLiteral("HYPER"));
            ReadIntroEntry(kFile, lines);
            EntryExists(kFile, QStringLiteral("Pop"), QString(), QStringLiteral("HYPER"));
            const QByteArray compiled = CompileSections(readBytes(kFile));
            const CompiledSections sections = CompiledSections::fromBytes(compiled);
            for (const QString& name : std::as_const(names))
                sections.find(name, QStringLiteral("HYPER"));
            ReplaceEntry(kFile, QStringLiteral("Paris"), QStringLiteral("Paris"), 3, QStringLiteral("x"),
                         QStringLiteral("HYPER"));
            DeleteEntry(kFile, QStringLiteral("Pop"), QStringLiteral("HYPER"));
        }
    }

    void damagedCompiledBlocks_areRefusedOrRead()
    {
        QRandomGenerator random(7);
        const QByteArray good = CompileSections(seedFile());
        int refused = 0;
        for (int round = 0; round < rounds() * 5; ++round) {
            try {
                const CompiledSections sections = CompiledSections::fromBytes(mutate(good, random));
                QStringList lines;
                sections.readEntry(QStringLiteral("Paris"), QStringLiteral("HYPER"), lines);
                for (int i = 0; i < sections.count(); ++i)
                    QVERIFY(sections.body(i).size() >= 0);
            } catch (const CompiledBlockError&) {
                ++refused;
            }
        }
        QVERIFY(refused > 0);
    }
};

QTEST_GUILESS_MAIN(SectionFuzzTest)
#include "tst_sectionfuzz.moc"
