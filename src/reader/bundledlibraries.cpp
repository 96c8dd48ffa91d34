// Pointing GStreamer, the sound font search and the metafile fonts at the book's own folder.
#include "reader/bundledlibraries.h"

#include "core/distribution/readerlibraries.h"
#include "core/pictures/wmfrender.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

#include <cstdlib>

namespace {

void setVariable(const char* name, const QString& value)
{
    setenv(name, QFile::encodeName(value).constData(), 1);
}

// GStreamer's plugin registry for this folder: the system's registry lists other plugins, and
// the book's folder may be read-only.
QString registryFile(const QString& pluginDir)
{
    QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
    if (cache.isEmpty())
        cache = QDir::homePath() + QStringLiteral("/.cache");
    const QByteArray key =
        QCryptographicHash::hash(QFile::encodeName(pluginDir), QCryptographicHash::Sha1).toHex();
    return cache + QStringLiteral("/kestrin/gstreamer-registry-") +
           QString::fromLatin1(key.left(16)) + QStringLiteral(".bin");
}

} // namespace

void UseBundledLibraries(const QString& bookDir)
{
    const QString libraries = QDir(bookDir).filePath(kReaderLibFolder);
    if (!QFileInfo(libraries).isDir())
        return;
    const QString plugins = libraries + QStringLiteral("/gstreamer-1.0");
    setVariable("GST_PLUGIN_SYSTEM_PATH_1_0", plugins);
    unsetenv("GST_PLUGIN_PATH_1_0");
    unsetenv("GST_PLUGIN_PATH");
    // The scanner helper is not carried: the runtime scans its plugins itself, once per folder.
    setenv("GST_REGISTRY_FORK", "no", 1);
    const QString registry = registryFile(plugins);
    QDir().mkpath(QFileInfo(registry).absolutePath());
    setVariable("GST_REGISTRY_1_0", registry);
    // The MIDI synthesizer looks for its sound font under the data folders.
    const QString data =
        qEnvironmentVariable("XDG_DATA_DIRS", QStringLiteral("/usr/local/share:/usr/share"));
    setVariable("XDG_DATA_DIRS", libraries + QStringLiteral("/share:") + data);
    // Plugins of the system's Qt would not fit the book's.
    unsetenv("QT_PLUGIN_PATH");
    SetWmfFontFolder(QFile::encodeName(libraries + QStringLiteral("/fonts")).toStdString());
}
