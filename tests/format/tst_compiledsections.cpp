// The compiled sections of the format library on their own: both encodings found by folded names,
// and damaged blocks refused or read, never read outside (run under the sanitizers too).
#include "format/book/sectionindex.h"
#include "format/text/textencoding.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

std::string sectionFile(bool utf8)
{
    std::string file = "[Paris]\r\nsource=HYPER\r\ntype=2\r\ncommand=P.BMP\r\n]\r\n\r\n"
                       "[Caf\xE9]\r\nsource=HYPER\r\ntype=3\r\ncommand=C.WAV\r\n]\r\n\r\n";
    if (!utf8)
        return file;
    return std::string(bookformat::kUtf8Mark) + bookformat::Windows1252ToUtf8(file) +
           u"[\u0411\u0435\u043B\u044B\u0435 \u043D\u043E\u0447\u0438]\r\nsource=HYPER\r\n"
           u"type=2\r\ncommand=W.BMP\r\n]\r\n"_s.toStdString();
}

std::string commandOf(const bookformat::CompiledSections& sections, const QString& name)
{
    const auto lines = sections.readEntry(name.toStdString(), "hyper");
    return lines ? lines->at(3) : "<none>";
}

} // namespace

class CompiledSectionsTest : public QObject
{
    Q_OBJECT

private slots:
    void bothEncodings_findFoldedNames()
    {
        const std::string windows = bookformat::CompileSections(sectionFile(false));
        const std::string utf8 = bookformat::CompileSections(sectionFile(true));
        QCOMPARE(windows.substr(0, 4), std::string("\x03KR1"));
        QCOMPARE(utf8.substr(0, 4), std::string("\x03KRU"));
        const bookformat::CompiledSections old(windows);
        const bookformat::CompiledSections any(utf8);
        for (const bookformat::CompiledSections* sections : {&old, &any}) {
            QCOMPARE(commandOf(*sections, u"PARIS"_s), std::string("command=P.BMP"));
            QCOMPARE(commandOf(*sections, u"CAF\u00C9"_s), std::string("command=C.WAV"));
        }
        QCOMPARE(commandOf(any, u"\u0431\u0435\u043B\u044B\u0435 \u043D\u043E\u0447\u0438"_s),
                 std::string("command=W.BMP"));
        QCOMPARE(commandOf(old, u"\u0431\u0435\u043B\u044B\u0435 \u043D\u043E\u0447\u0438"_s),
                 std::string("<none>"));
        QCOMPARE(any.headerLine(1), u"[Caf\u00E9]"_s.toStdString());
    }

    void damagedBlocks_areRefusedOrRead()
    {
        QRandomGenerator random(20261208);
        const std::string good[] = {bookformat::CompileSections(sectionFile(false)),
                                    bookformat::CompileSections(sectionFile(true))};
        int refused = 0;
        const int rounds = std::max(20000, qEnvironmentVariableIntValue("QUORELLE_FUZZ_ROUNDS"));
        for (int round = 0; round < rounds; ++round) {
            std::string block = good[round % 2];
            for (int edit = 0; edit < 1 + random.bounded(4); ++edit) {
                const auto at = static_cast<std::size_t>(random.bounded(int(block.size())));
                random.bounded(3) == 0 ? block.resize(at)
                                       : void(block[at] = char(random.bounded(256)));
                if (block.empty())
                    break;
            }
            try {
                const bookformat::CompiledSections sections(
                    block, round % 3 == 0 ? bookformat::IndexCheck::OnFirstUse
                                          : bookformat::IndexCheck::AtOpen);
                sections.readEntry("Paris", "HYPER");
                // Every well-formed entry of an accepted block is found again through the index:
                // itself or a later one of the same name and source.
                for (int i = 0; i < sections.count(); ++i) {
                    const QString header = QString::fromStdString(sections.headerLine(i));
                    const std::string source = sections.source(i);
                    if (!header.startsWith(u'[') || !header.endsWith(u']') || header.size() < 2)
                        continue;
                    const int found =
                        sections.find(header.mid(1, header.size() - 2).toStdString(), source);
                    QVERIFY(found >= i);
                    QCOMPARE(QString::fromStdString(sections.headerLine(found)).toCaseFolded(),
                             header.toCaseFolded());
                }
            } catch (const bookformat::CompiledBlockError&) {
                ++refused;
            }
        }
        QVERIFY(refused > 0);
    }
};

QTEST_GUILESS_MAIN(CompiledSectionsTest)
#include "tst_compiledsections.moc"
