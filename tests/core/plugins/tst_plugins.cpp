// Plugins as the tool, the builder and the tests load them: files of the build's plugins folder,
// with their debug information where gdb finds it; only the reader runtime carries them inside.
#include "programrun.h"

#include "core/book/elfimage.h"
#include "core/files/filestore.h"
#include "core/plugins/plugin.h"

#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QStringList pluginSections(const QString& program)
{
    const QStringList sections =
        ElfSectionNames(filestore::readAll(QStringLiteral(QUORELLE_BIN_DIR "/") + program));
    return sections.filter(QRegularExpression(u"^quorelle_plugin_"_s));
}

} // namespace

class PluginsTest : public QObject
{
    Q_OBJECT

private slots:
    void pluginFolder_holdsTheBuildsPlugins_aMissingOneIsNamed()
    {
        QVERIFY2(PluginFolder().endsWith(u"/lib/quorelle/plugins/"_s), qPrintable(PluginFolder()));
        Plugin pictures("pictures");
        QString error;
        QVERIFY2(pictures.entry("quorelle_picture_decoders", error), qPrintable(error));
        QVERIFY(!pictures.entry("quorelle_no_such_entry", error));
        QCOMPARE(error, u"the pictures plugin has no quorelle_no_such_entry"_s);

        // A missing plugin names its file, every time it is asked.
        Plugin missing("missing");
        QString first;
        QVERIFY(!missing.entry("anything", first));
        QVERIFY2(first.startsWith(u"the missing plugin could not be loaded ("_s) &&
                     first.contains(u"libquorelle-missing.so"_s),
                 qPrintable(first));
        QString second;
        QVERIFY(!missing.entry("anything", second));
        QCOMPARE(second, first);
    }

    // The runtime a reader copies anywhere carries its plugins; no other program does.
    void pluginSections_inTheReaderRuntimeOnly()
    {
        QCOMPARE(pluginSections(u"kestrin.bin"_s),
                 QStringList({u"quorelle_plugin_pictures"_s, u"quorelle_plugin_media"_s}));
        for (const QString& program : {u"quorelle"_s, u"quorelle-build"_s, u"tst_plugins"_s})
            QVERIFY2(pluginSections(program).isEmpty(), qPrintable(program));
    }

    // Stopped inside the JPEG decoder, gdb names the function and its source line: the
    // stripped plugin leads it to its debug information.
    void insideAPlugin_gdbShowsFunctionsAndLines()
    {
        const ProgramRun gdb = RunProgram(
            u"gdb"_s, {u"-batch"_s, u"-nx"_s, u"-ex"_s, u"set breakpoint pending on"_s, u"-ex"_s,
                       u"break DecodeJpeg"_s, u"-ex"_s, u"run"_s, u"-ex"_s, u"bt 2"_s, u"-ex"_s,
                       u"kill"_s, u"--args"_s, QStringLiteral(QUORELLE_BIN_DIR "/tst_pictures"),
                       u"hugeHeaders_areRefusedOrDecodedSmall"_s});
        const QString output = gdb.out + gdb.err;
        static const QRegularExpression frame(
            u"#0 .*DecodeJpeg ?\\(.*\\) at \\S*jpegdecode\\.cpp:\\d+"_s);
        QVERIFY2(frame.match(output).hasMatch(), qPrintable(output.right(2000)));
    }
};

QTEST_GUILESS_MAIN(PluginsTest)
#include "tst_plugins.moc"
