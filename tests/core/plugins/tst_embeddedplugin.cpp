// Plugins loaded from bytes the program carries: a real one answers for its entry points, and
// bytes that are no plugin give a reason that names it, once and for every later call.
#include "core/files/filestore.h"
#include "core/plugins/embeddedplugin.h"

#include <QTest>

using namespace Qt::StringLiterals;

class EmbeddedPluginTest : public QObject
{
    Q_OBJECT

private slots:
    void realPlugin_givesItsEntryPoints()
    {
        const QByteArray bytes = filestore::readAll(
            QStringLiteral(QUORELLE_BIN_DIR "/../plugins/libquorelle-pictures.so"));
        EmbeddedPlugin plugin("pictures", bytes.constData(), bytes.constData() + bytes.size());
        QString error;
        QVERIFY2(plugin.entry("quorelle_picture_decoders", error), qPrintable(error));
        QVERIFY(!plugin.entry("quorelle_no_such_entry", error));
        QCOMPARE(error, u"the pictures plugin has no quorelle_no_such_entry"_s);
    }

    void damagedPlugin_givesItsReasonEveryTime()
    {
        const QByteArray bytes = "\x7f"
                                 "ELF but nothing a loader could use";
        EmbeddedPlugin plugin("broken", bytes.constData(), bytes.constData() + bytes.size());
        QString first;
        QVERIFY(!plugin.entry("anything", first));
        QVERIFY2(first.startsWith(u"the broken plugin could not be loaded ("_s), qPrintable(first));
        QString second;
        QVERIFY(!plugin.entry("anything", second));
        QCOMPARE(second, first);
    }
};

QTEST_GUILESS_MAIN(EmbeddedPluginTest)
#include "tst_embeddedplugin.moc"
