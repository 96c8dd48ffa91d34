// A portable book carries its reader libraries in a folder beside it. The loader finds the shared
// libraries through the runtime's run path and Qt its plugins through qt.conf; GStreamer, the
// MIDI synthesizer and the metafile renderer are pointed there here, before Qt starts.
#pragma once

#include <QString>

// Uses the reader libraries beside the book in `bookDir`, when there are any; else changes
// nothing, and the system's own libraries serve.
void UseBundledLibraries(const QString& bookDir);
