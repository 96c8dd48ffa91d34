// The plugins the reader runtime carries: a real one loads either way to the loader and leaves no
// file behind, and when neither way loads a plugin the reason given is the telling one.
#include "core/files/filestore.h"
#include "core/plugins/plugin.h"
#include "reader/carriedplugins.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <dlfcn.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray picturesPlugin()
{
    return filestore::readAll(PluginFolder() + u"libquorelle-pictures.so"_s);
}

// TMPDIR naming `folder` while it lives.
class TemporaryFolder
{
public:
    explicit TemporaryFolder(const QString& folder) : m_previous(qgetenv("TMPDIR"))
    {
        qputenv("TMPDIR", QFile::encodeName(folder));
    }
    ~TemporaryFolder() { qputenv("TMPDIR", m_previous); }

private:
    QByteArray m_previous;
};

} // namespace

class CarriedPluginsTest : public QObject
{
    Q_OBJECT

private slots:
    void carriedPlugins_loadFromTheProgramsImage()
    {
        QString error;
        void* pictures = LoadCarriedPlugin("pictures", error);
        QVERIFY2(pictures && dlsym(pictures, "quorelle_picture_decoders"), qPrintable(error));
        QVERIFY2(LoadCarriedPlugin("media", error), qPrintable(error));
        QVERIFY(!LoadCarriedPlugin("other", error));
        QCOMPARE(error, u"this program carries no other plugin"_s);
    }

    // Where memory files cannot be loaded: a temporary file, gone again once the plugin is
    // loaded; a temporary folder that is not there is a reason, not a crash. Damaged bytes with
    // no temporary folder give the loader's reason, which says what is wrong, not the second
    // way's failure to make its file.
    void temporaryFile_leavesNothingAndFailureGivesTheLoadersReason()
    {
        const QByteArray bytes = picturesPlugin();
        QTemporaryDir temporary;
        {
            const TemporaryFolder folder(temporary.path());
            const carriedplugins::Attempt loaded = carriedplugins::fromTemporaryFile(
                "pictures", bytes.constData(), std::size_t(bytes.size()));
            QVERIFY2(loaded.handle, qPrintable(loaded.reason));
            QVERIFY(dlsym(loaded.handle, "quorelle_picture_decoders"));
            QVERIFY(QDir(temporary.path()).isEmpty());
        }
        const TemporaryFolder gone(temporary.filePath(u"gone"_s));
        const carriedplugins::Attempt refused = carriedplugins::fromTemporaryFile(
            "pictures", bytes.constData(), std::size_t(bytes.size()));
        QVERIFY(!refused.handle && !refused.loaderRefused);
        QCOMPARE(refused.reason, u"no temporary folder"_s);

        const QByteArray broken = "\x7f"
                                  "ELF but nothing a loader could use";
        QString error;
        QVERIFY(!carriedplugins::fromBytes("broken", broken.constData(), std::size_t(broken.size()),
                                           error));
        const carriedplugins::Attempt memory = carriedplugins::fromMemoryFile(
            "broken", broken.constData(), std::size_t(broken.size()));
        QVERIFY(memory.loaderRefused);
        QCOMPARE(error, memory.reason);
        QVERIFY(error != u"no temporary folder"_s);
    }
};

QTEST_GUILESS_MAIN(CarriedPluginsTest)
#include "tst_carriedplugins.moc"
