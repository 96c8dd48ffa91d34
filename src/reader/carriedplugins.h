// The plugins the reader runtime carries in its own image (cmake/plugins.cmake), loaded from there
// rather than from a plugins folder a reader's system does not have. The loader wants a file, so
// the bytes go into a file that lives in memory only; where memory files cannot be loaded (no
// /proc, or the system forbids running them) into a temporary file, removed once loaded.
#pragma once

#include <QString>

#include <cstddef>

// A PluginSource (core/plugins/plugin.h) for the plugins this program carries: null with the
// most telling reason when a plugin cannot be loaded, or when the program carries no such one.
void* LoadCarriedPlugin(const char* name, QString& error);

namespace carriedplugins {

// What one way to the loader came to.
struct Attempt
{
    void* handle = nullptr;
    QString reason;
    bool loaderRefused = false; // the file was made and the loader gave the reason
};

Attempt fromMemoryFile(const char* name, const char* bytes, std::size_t size);
// In the temporary folder, removed again once loaded.
Attempt fromTemporaryFile(const char* name, const char* bytes, std::size_t size);

// Both ways in turn. When neither loads, the reason is the loader's own (a library missing from
// the system, a damaged plugin) rather than a failure to make the file the second way.
void* fromBytes(const char* name, const char* bytes, std::size_t size, QString& error);

} // namespace carriedplugins
