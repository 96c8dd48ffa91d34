#include "core/plugins/plugin.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <atomic>
#include <dlfcn.h>

namespace {

std::atomic<PluginSource> g_source{pluginloading::fromPluginFolder};

} // namespace

void LoadPluginsFrom(PluginSource source)
{
    g_source = source;
}

QString PluginFolder()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                           QStringLiteral("/" QUORELLE_SUPPORT_RELATIVE "/plugins")) +
           QLatin1Char('/');
}

void* pluginloading::fromPluginFolder(const char* name, QString& error)
{
    const QString path =
        PluginFolder() + QStringLiteral("libquorelle-%1.so").arg(QLatin1String(name));
    return fromFile(QFile::encodeName(path), error);
}

void* pluginloading::fromFile(const QByteArray& path, QString& error)
{
    void* handle = dlopen(path.constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* reason = dlerror();
        error = reason ? QString::fromLocal8Bit(reason)
                       : QFile::decodeName(path) + QStringLiteral(" cannot be loaded");
    }
    return handle;
}

Plugin::Plugin(const char* name) : m_name(name) {}

void* Plugin::entry(const char* symbol, QString& error)
{
    const std::lock_guard lock(m_mutex);
    if (!m_tried) {
        m_tried = true;
        QString reason;
        m_handle = g_source.load()(m_name, reason);
        if (!m_handle)
            m_error = QStringLiteral("the %1 plugin could not be loaded (%2)")
                          .arg(QLatin1String(m_name), reason);
    }
    void* address = m_handle ? dlsym(m_handle, symbol) : nullptr;
    if (!address)
        error = m_handle ? QStringLiteral("the %1 plugin has no %2")
                               .arg(QLatin1String(m_name), QLatin1String(symbol))
                         : m_error;
    return address;
}
