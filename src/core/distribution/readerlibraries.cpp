// Collecting the reader libraries as the dynamic loader would find them, and copying them.
#include "core/distribution/readerlibraries.h"

#include "core/book/elfimage.h"
#include "core/files/filecopy.h"
#include "core/files/filestore.h"
#include "core/services/messages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QSet>

namespace {

// The C and C++ runtime: every Linux system has them, and a newer one runs older programs, while
// an older copy beside the book would break the newer libraries of the reader's own system.
bool isSystemLibrary(const QString& soname)
{
    static const QSet<QString> names = {
        QStringLiteral("libc.so.6"),      QStringLiteral("libm.so.6"),
        QStringLiteral("libdl.so.2"),     QStringLiteral("libpthread.so.0"),
        QStringLiteral("librt.so.1"),     QStringLiteral("libresolv.so.2"),
        QStringLiteral("libutil.so.1"),   QStringLiteral("libanl.so.1"),
        QStringLiteral("libstdc++.so.6"), QStringLiteral("libgcc_s.so.1"),
    };
    return names.contains(soname) || soname.startsWith(QLatin1String("ld-linux"));
}

// The Qt plugins the runtime loads, relative to Qt's plugin folder; every image format is taken.
const QStringList kQtPlugins = {
    QStringLiteral("platforms/libqxcb.so"),
    QStringLiteral("platforms/libqoffscreen.so"),
    QStringLiteral("platforminputcontexts/libcomposeplatforminputcontextplugin.so"),
    QStringLiteral("multimedia/libgstreamermediaplugin.so"),
};

// The GStreamer plugins that play WAV and PCM or ADPCM sound, AVI with Motion JPEG or
// uncompressed video, and MIDI through the sound font, to PulseAudio or ALSA.
const QStringList kGStreamerPlugins = {
    QStringLiteral("coreelements"),
    QStringLiteral("typefindfunctions"),
    QStringLiteral("playback"),
    QStringLiteral("app"),
    QStringLiteral("pbtypes"),
    QStringLiteral("audioconvert"),
    QStringLiteral("audioresample"),
    QStringLiteral("audioparsers"),
    QStringLiteral("audiorate"),
    QStringLiteral("volume"),
    QStringLiteral("wavparse"),
    QStringLiteral("adpcmdec"),
    QStringLiteral("rawparse"),
    QStringLiteral("autodetect"),
    QStringLiteral("pulseaudio"),
    QStringLiteral("alsa"),
    QStringLiteral("avi"),
    QStringLiteral("jpeg"),
    QStringLiteral("videoconvertscale"),
    QStringLiteral("videoconvert"),
    QStringLiteral("videoscale"),
    QStringLiteral("videorate"),
    QStringLiteral("videofilter"),
    QStringLiteral("deinterlace"),
    QStringLiteral("midi"),
    QStringLiteral("fluidsynthmidi"),
};

// The fonts the WMF renderer maps the Windows faces to.
const QStringList kWmfFonts = {
    QStringLiteral("NimbusMonoPS-Regular"), QStringLiteral("NimbusMonoPS-Italic"),
    QStringLiteral("NimbusMonoPS-Bold"),    QStringLiteral("NimbusMonoPS-BoldItalic"),
    QStringLiteral("NimbusSans-Regular"),   QStringLiteral("NimbusSans-Italic"),
    QStringLiteral("NimbusSans-Bold"),      QStringLiteral("NimbusSans-BoldItalic"),
    QStringLiteral("NimbusRoman-Regular"),  QStringLiteral("NimbusRoman-Italic"),
    QStringLiteral("NimbusRoman-Bold"),     QStringLiteral("NimbusRoman-BoldItalic"),
    QStringLiteral("StandardSymbolsPS"),
};

const QString kSoundFont = QStringLiteral("TimGM6mb.sf2");

const QString kLibraries = kReaderLibFolder + QLatin1Char('/');
const QString kQtPluginTarget = kLibraries + QStringLiteral("plugins/");
const QString kGStreamerTarget = kLibraries + QStringLiteral("gstreamer-1.0/");

std::optional<ElfDynamic> dynamicOf(const QString& path)
{
    const std::unique_ptr<filestore::MappedFile> file = filestore::MappedFile::ofPath(path);
    if (!file)
        return std::nullopt;
    return ReadElfDynamic(file->sharedBytes());
}

// Walks the libraries objects need, as the loader finds them, once each.
class LibraryWalk
{
public:
    explicit LibraryWalk(const ReaderLibrarySources& sources) : m_sources(sources) {}

    // Adds `path` under `target` (when given) and everything it needs.
    void addObject(const QString& path, const QString& target)
    {
        const std::optional<ElfDynamic> dynamic = dynamicOf(path);
        if (!target.isEmpty())
            m_plan.files << BundledFile{path, target, dynamic && !dynamic->runpath.isEmpty()};
        if (dynamic)
            addNeeded(*dynamic, QFileInfo(path).absolutePath());
    }

    // Adds what the runtime at `path` and the plugins it carries need; they go with it.
    void addRuntime(const QString& path)
    {
        const std::unique_ptr<filestore::MappedFile> file = filestore::MappedFile::ofPath(path);
        if (!file)
            return;
        const QByteArray runtime = file->sharedBytes();
        const QString origin = QFileInfo(path).absolutePath();
        if (const std::optional<ElfDynamic> dynamic = ReadElfDynamic(runtime))
            addNeeded(*dynamic, origin);
        // The plugins the runtime carries, each in a section of its own (cmake/plugins.cmake).
        for (const QString& section : ElfSectionNames(runtime)) {
            if (!section.startsWith(u"quorelle_plugin_"))
                continue;
            if (const std::optional<ElfDynamic> dynamic =
                    ReadElfDynamic(ElfSection(runtime, section)))
                addNeeded(*dynamic, origin);
        }
    }

    QString found(const QString& soname) const { return m_found.value(soname); }
    ReaderLibraryPlan& plan() { return m_plan; }

private:
    void addNeeded(const ElfDynamic& dynamic, const QString& origin)
    {
        for (const QString& soname : dynamic.needed) {
            if (isSystemLibrary(soname) || m_found.contains(soname))
                continue;
            const QString found = resolve(soname, dynamic, origin);
            m_found.insert(soname, found);
            if (found.isEmpty())
                m_plan.unresolved << soname;
            else
                addObject(found, kLibraries + soname);
        }
    }

    QString resolve(const QString& soname, const ElfDynamic& dynamic, const QString& origin) const
    {
        QStringList dirs = dynamic.runpath.isEmpty() ? dynamic.rpath : dynamic.runpath;
        for (QString& dir : dirs) {
            dir.replace(QLatin1String("${ORIGIN}"), origin);
            dir.replace(QLatin1String("$ORIGIN"), origin);
        }
        dirs << m_sources.libraryDirs;
        for (const QString& dir : std::as_const(dirs)) {
            const QString candidate = QDir(dir).filePath(soname);
            if (QFileInfo(candidate).isFile())
                return candidate;
        }
        return {};
    }

    const ReaderLibrarySources& m_sources;
    QHash<QString, QString> m_found;
    ReaderLibraryPlan m_plan;
};

void addQtPlugins(LibraryWalk& walk, const QString& pluginDir)
{
    QStringList plugins = kQtPlugins;
    const QDir images(QDir(pluginDir).filePath(QStringLiteral("imageformats")));
    for (const QString& name : images.entryList({QStringLiteral("*.so")}, QDir::Files))
        plugins << QStringLiteral("imageformats/") + name;
    for (const QString& plugin : std::as_const(plugins)) {
        const QString path = QDir(pluginDir).filePath(plugin);
        if (QFileInfo::exists(path))
            walk.addObject(path, kQtPluginTarget + plugin);
    }
}

// GStreamer keeps its plugins in a folder beside its own library.
void addGStreamerPlugins(LibraryWalk& walk)
{
    const QString core = walk.found(QStringLiteral("libgstreamer-1.0.so.0"));
    if (core.isEmpty())
        return;
    const QDir dir(QFileInfo(core).absolutePath() + QStringLiteral("/gstreamer-1.0"));
    for (const QString& plugin : kGStreamerPlugins) {
        const QString name = QStringLiteral("libgst%1.so").arg(plugin);
        if (dir.exists(name))
            walk.addObject(dir.filePath(name), kGStreamerTarget + name);
    }
}

void addFiles(ReaderLibraryPlan& plan, const QString& dir, const QStringList& names,
              const QString& target)
{
    for (const QString& name : names) {
        const QFileInfo file(QDir(dir).filePath(name));
        if (file.isFile())
            plan.files << BundledFile{file.canonicalFilePath(), target + name};
    }
}

QStringList wmfFontFiles()
{
    QStringList names;
    for (const QString& font : kWmfFonts)
        names << font + QStringLiteral(".t1") << font + QStringLiteral(".afm");
    return names;
}

void copyBundled(const QString& folder, const BundledFile& file)
{
    const QString target = QDir(folder).filePath(file.target);
    QDir().mkpath(QFileInfo(target).absolutePath());
    if (!file.inheritRunpath) {
        CopyFileInto(file.source, target);
        return;
    }
    QByteArray bytes = filestore::readAll(file.source);
    MakeRunpathInherited(bytes);
    filestore::writeAll(target, bytes);
    QFile::setPermissions(target, QFile::permissions(file.source));
}

} // namespace

ReaderLibrarySources InstalledReaderSources(const QString& runtime)
{
    ReaderLibrarySources sources;
    sources.runtime = runtime;
    sources.qtPlugins = QLibraryInfo::path(QLibraryInfo::PluginsPath);
    const QString qtLibraries = QLibraryInfo::path(QLibraryInfo::LibrariesPath);
    sources.libraryDirs << qtLibraries;
    if (qtLibraries.startsWith(QLatin1String("/usr/")))
        sources.libraryDirs << qtLibraries.mid(4); // the same folder under /lib
    sources.libraryDirs << QStringLiteral("/usr/lib64") << QStringLiteral("/lib64")
                        << QStringLiteral("/usr/lib") << QStringLiteral("/lib");
    sources.soundFontDir = QStringLiteral("/usr/share/sounds/sf2");
    sources.wmfFontDir = QStringLiteral("/usr/share/fonts/type1/urw-base35");
    return sources;
}

QString InstalledSoundFont()
{
    return InstalledReaderSources({}).soundFontDir + QLatin1Char('/') + kSoundFont;
}

ReaderLibraryPlan PlanReaderLibraries(const ReaderLibrarySources& sources)
{
    LibraryWalk walk(sources);
    walk.addRuntime(sources.runtime);
    addQtPlugins(walk, sources.qtPlugins);
    addGStreamerPlugins(walk);
    ReaderLibraryPlan& plan = walk.plan();
    addFiles(plan, sources.soundFontDir, {kSoundFont},
             kLibraries + QStringLiteral("share/sounds/sf2/"));
    addFiles(plan, sources.wmfFontDir, wmfFontFiles(), kLibraries + QStringLiteral("fonts/"));
    return plan;
}

QByteArray ReaderQtConf()
{
    return "[Paths]\nPrefix = " + kReaderLibFolder.toUtf8() + "\nPlugins = plugins\n";
}

bool CopyReaderLibraries(const QString& folder, const ReaderLibrarySources& sources)
{
    const ReaderLibraryPlan plan = PlanReaderLibraries(sources);
    if (!plan.unresolved.isEmpty()) {
        ShowError(
            QStringLiteral("The reader library %1 was not found.").arg(plan.unresolved.first()));
        return false;
    }
    for (const BundledFile& file : plan.files)
        copyBundled(folder, file);
    filestore::writeAll(QDir(folder).filePath(QStringLiteral("qt.conf")), ReaderQtConf());
    return true;
}
