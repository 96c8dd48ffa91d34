// Plugins: shared objects holding the code that needs libraries of its own (the picture
// decoders, the media player), loaded the first time they are needed, so that those libraries
// cost a run that never needs them nothing at start-up. A program loads them as files from the
// plugins folder of its build or installation (lib/quorelle/plugins); the reader runtime, one
// file a reader copies anywhere, carries them in its own image instead (src/reader).
#pragma once

#include <QString>

#include <mutex>

// Loads the plugin `name`: the loader's handle, or null with the reason.
using PluginSource = void* (*)(const char* name, QString& error);

// From now on every plugin comes from `source` rather than from the plugins folder. Called
// before any plugin is first used.
void LoadPluginsFrom(PluginSource source);

// The plugins folder, ending in "/": lib/quorelle/plugins beside the program's bin folder.
QString PluginFolder();

namespace pluginloading {
// The plugin `name` from the plugins folder.
void* fromPluginFolder(const char* name, QString& error);
// The shared object at `path` (encoded as the system names files); null with the loader's
// reason when it cannot be loaded.
void* fromFile(const QByteArray& path, QString& error);
} // namespace pluginloading

class Plugin
{
public:
    explicit Plugin(const char* name);
    Plugin(const Plugin&) = delete;
    Plugin& operator=(const Plugin&) = delete;

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
    const char* m_name;
    std::mutex m_mutex;
    bool m_tried = false;
    void* m_handle = nullptr;
    QString m_error;
};
