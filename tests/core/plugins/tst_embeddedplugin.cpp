// Plugins loaded from bytes the program carries: a real one answers for its entry points by
// either way to the loader, and bytes that are no plugin give a reason that names it, once and
// for every later call.
#include "core/files/filestore.h"
#include "core/plugins/embeddedplugin.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <dlfcn.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray picturesPlugin()
{
    return filestore::readAll(
        QStringLiteral(QUORELLE_BIN_DIR "/../plugins/libquorelle-pictures.so"));
}

} // namespace

class EmbeddedPluginTest : public QObject
{
    Q_OBJECT

private slots:
    void realPlugin_givesItsEntryPoints()
    {
        const QByteArray bytes = picturesPlugin();
        EmbeddedPlugin plugin("pictures", bytes.constData(), bytes.constData() + bytes.size());
        QString error;
        QVERIFY2(plugin.entry("quorelle_picture_decoders", error), qPrintable(error));
        QVERIFY(!plugin.entry("quorelle_no_such_entry", error));
        QCOMPARE(error, u"the pictures plugin has no quorelle_no_such_entry"_s);
    }

    // Where memory files cannot be loaded: a temporary file, gone again once the plugin is loaded;
    // a temporary folder that is not there is a reason, not a crash.
    void temporaryFile_loadsAndLeavesNothing()
    {
        const QByteArray bytes = picturesPlugin();
        QTemporaryDir temporary;
        const QByteArray previous = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(temporary.path()));
        QString error;
        void* handle =
            pluginloading::fromTemporaryFile("pictures", bytes.constData(), bytes.size(), error);
        QVERIFY2(handle, qPrintable(error));
        QVERIFY(dlsym(handle, "quorelle_picture_decoders"));
        QVERIFY(QDir(temporary.path()).isEmpty());

        qputenv("TMPDIR", QFile::encodeName(temporary.filePath(u"gone"_s)));
        QVERIFY(
            !pluginloading::fromTemporaryFile("pictures", bytes.constData(), bytes.size(), error));
        QCOMPARE(error, u"no temporary folder"_s);
        qputenv("TMPDIR", previous);
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
