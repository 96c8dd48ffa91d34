#include "reader/carriedplugins.h"

#include "core/files/descriptorwrite.h"
#include "core/plugins/plugin.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

// The bounds of the plugins quorelle_embed_plugin put into this program.
extern "C" const char quorelle_plugin_pictures_begin[];
extern "C" const char quorelle_plugin_pictures_end[];
extern "C" const char quorelle_plugin_media_begin[];
extern "C" const char quorelle_plugin_media_end[];

namespace carriedplugins {

namespace {

Attempt failed(const char* what, int number = errno)
{
    return Attempt{
        nullptr,
        QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(strerror(number))),
        false};
}

Attempt openPath(const QByteArray& path)
{
    Attempt attempt;
    attempt.handle = pluginloading::fromFile(path, attempt.reason);
    attempt.loaderRefused = attempt.handle == nullptr;
    return attempt;
}

} // namespace

Attempt fromMemoryFile(const char* name, const char* bytes, std::size_t size)
{
    const int fd = memfd_create(name, MFD_CLOEXEC);
    if (fd < 0)
        return failed("no memory file");
    Attempt attempt;
    if (const int failure = WriteAllTo(fd, bytes, size))
        attempt = failed("the memory file could not be written", failure);
    else
        attempt = openPath("/proc/self/fd/" + QByteArray::number(fd));
    // The loader knows a loaded object by its path: the file stays open so that no later plugin
    // gets the same descriptor, and with it the path of this one.
    if (!attempt.handle)
        close(fd);
    return attempt;
}

Attempt fromTemporaryFile(const char* name, const char* bytes, std::size_t size)
{
    const QString folder = QDir::tempPath(); // empty when TMPDIR names no folder
    if (folder.isEmpty())
        return Attempt{nullptr, QStringLiteral("no temporary folder"), false};
    QByteArray path = QFile::encodeName(folder) + "/quorelle-" + name + "-XXXXXX";
    const int fd = mkostemp(path.data(), O_CLOEXEC);
    if (fd < 0)
        return failed("no temporary file");
    Attempt attempt;
    if (const int failure = WriteAllTo(fd, bytes, size))
        attempt = failed("the temporary file could not be written", failure);
    else
        attempt = openPath(path);
    close(fd);
    unlink(path.constData());
    return attempt;
}

void* fromBytes(const char* name, const char* bytes, std::size_t size, QString& error)
{
    const Attempt memory = fromMemoryFile(name, bytes, size);
    if (memory.handle)
        return memory.handle;
    const Attempt temporary = fromTemporaryFile(name, bytes, size);
    if (temporary.handle)
        return temporary.handle;
    error = memory.loaderRefused || !temporary.loaderRefused ? memory.reason : temporary.reason;
    return nullptr;
}

} // namespace carriedplugins

void* LoadCarriedPlugin(const char* name, QString& error)
{
    struct Carried
    {
        const char* name;
        const char* begin;
        const char* end;
    };
    static const Carried carried[] = {
        {"pictures", quorelle_plugin_pictures_begin, quorelle_plugin_pictures_end},
        {"media", quorelle_plugin_media_begin, quorelle_plugin_media_end},
    };
    for (const Carried& plugin : carried) {
        if (std::strcmp(plugin.name, name) == 0)
            return carriedplugins::fromBytes(name, plugin.begin,
                                             std::size_t(plugin.end - plugin.begin), error);
    }
    error = QStringLiteral("this program carries no %1 plugin").arg(QLatin1String(name));
    return nullptr;
}
