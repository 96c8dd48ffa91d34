// Loading a plugin from the bytes the program carries. The loader wants a file, so the bytes go
// into a file that lives in memory only; where memory files cannot be loaded (no /proc, or the
// system forbids running them) they go into a temporary file that is removed once loaded.
#include "core/plugins/embeddedplugin.h"

#include "core/files/descriptorwrite.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {

QString loaderError()
{
    const char* reason = dlerror();
    return reason ? QString::fromLocal8Bit(reason) : QStringLiteral("it cannot be loaded");
}

QString systemError(const char* what, int number = errno)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(strerror(number)));
}

void* openPath(const QByteArray& path, QString& error)
{
    void* handle = dlopen(path.constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        error = loaderError();
    return handle;
}

} // namespace

void* pluginloading::fromMemoryFile(const char* name, const char* bytes, std::size_t size,
                                    QString& error)
{
    const int fd = memfd_create(name, MFD_CLOEXEC);
    if (fd < 0) {
        error = systemError("no memory file");
        return nullptr;
    }
    void* handle = nullptr;
    if (const int failure = WriteAllTo(fd, bytes, size))
        error = systemError("the memory file could not be written", failure);
    else
        handle = openPath("/proc/self/fd/" + QByteArray::number(fd), error);
    // The loader knows a loaded object by its path: the file stays open so that no later plugin
    // gets the same descriptor, and with it the path of this one.
    if (!handle)
        close(fd);
    return handle;
}

void* pluginloading::fromTemporaryFile(const char* name, const char* bytes, std::size_t size,
                                       QString& error)
{
    const QString folder = QDir::tempPath(); // empty when TMPDIR names no folder
    if (folder.isEmpty()) {
        error = QStringLiteral("no temporary folder");
        return nullptr;
    }
    QByteArray path = QFile::encodeName(folder) + "/quorelle-" + name + "-XXXXXX";
    const int fd = mkostemp(path.data(), O_CLOEXEC);
    if (fd < 0) {
        error = systemError("no temporary file");
        return nullptr;
    }
    void* handle = nullptr;
    if (const int failure = WriteAllTo(fd, bytes, size))
        error = systemError("the temporary file could not be written", failure);
    else
        handle = openPath(path, error);
    close(fd);
    unlink(path.constData());
    return handle;
}

EmbeddedPlugin::EmbeddedPlugin(const char* name, const char* begin, const char* end)
    : m_name(name), m_begin(begin), m_end(end)
{}

bool EmbeddedPlugin::load()
{
    const auto size = std::size_t(m_end - m_begin);
    QString error;
    m_handle = pluginloading::fromMemoryFile(m_name, m_begin, size, error);
    if (!m_handle)
        m_handle = pluginloading::fromTemporaryFile(m_name, m_begin, size, error);
    if (!m_handle)
        m_error = QStringLiteral("the %1 plugin could not be loaded (%2)")
                      .arg(QLatin1String(m_name), error);
    return m_handle != nullptr;
}

void* EmbeddedPlugin::entry(const char* symbol, QString& error)
{
    const std::lock_guard lock(m_mutex);
    if (!m_tried) {
        m_tried = true;
        load();
    }
    void* address = m_handle ? dlsym(m_handle, symbol) : nullptr;
    if (!address)
        error = m_handle ? QStringLiteral("the %1 plugin has no %2")
                               .arg(QLatin1String(m_name), QLatin1String(symbol))
                         : m_error;
    return address;
}
