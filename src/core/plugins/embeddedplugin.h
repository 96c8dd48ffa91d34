// Plugins carried inside the program's own image (cmake/plugins.cmake) and loaded the first time
// they are needed, so that the libraries they link cost nothing to a run that never uses them.
#pragma once

#include <QString>

#include <cstddef>
#include <mutex>

// Declares the bounds of the plugin that quorelle_embed_plugin put into this program.
#define QUORELLE_EMBEDDED_PLUGIN(name)                                                             \
    extern "C" const char quorelle_plugin_##name##_begin[];                                        \
    extern "C" const char quorelle_plugin_##name##_end[]

// The section of the program's image that holds the plugin `name`.
inline QString EmbeddedPluginSection(const char* name)
{
    return QStringLiteral("quorelle_plugin_") + QLatin1String(name);
}

// The two ways a plugin's bytes reach the dynamic loader, tried in this order. Each gives the
// loader's handle, or null with a reason.
namespace pluginloading {
void* fromMemoryFile(const char* name, const char* bytes, std::size_t size, QString& error);
// In the temporary folder, removed again once loaded.
void* fromTemporaryFile(const char* name, const char* bytes, std::size_t size, QString& error);
} // namespace pluginloading

class EmbeddedPlugin
{
public:
    // `begin` and `end` bound the plugin's shared object; `name` says which for the messages.
    EmbeddedPlugin(const char* name, const char* begin, const char* end);
    EmbeddedPlugin(const EmbeddedPlugin&) = delete;
    EmbeddedPlugin& operator=(const EmbeddedPlugin&) = delete;

    // The address of the plugin's `symbol`, loading the plugin on the first call (from any
    // thread); null with a reason when the plugin or one of its libraries cannot be loaded.
    // A failure is remembered: the next call gives the same reason at once.
    void* entry(const char* symbol, QString& error);
    // The same, as the plugin's function of the type `Function` (such as `Media*()`).
    template <class Function> Function* function(const char* symbol, QString& error)
    {
        return reinterpret_cast<Function*>(entry(symbol, error));
    }

private:
    bool load();

    const char* m_name;
    const char* m_begin;
    const char* m_end;
    std::mutex m_mutex;
    bool m_tried = false;
    void* m_handle = nullptr;
    QString m_error;
};
