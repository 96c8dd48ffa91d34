// What a portable distribution carries so that the book runs where Qt is not installed: the
// shared libraries the runtime needs, the Qt and GStreamer plugins it loads, the sound font for
// MIDI and the fonts for WMF pictures, all in one folder beside the book. The runtime's own run
// path and a qt.conf beside the book point the loader and Qt there; the runtime points GStreamer
// there itself before it starts.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The folder beside the book that holds the reader libraries.
inline const QString kReaderLibFolder = QStringLiteral("reader-lib");

// Where this machine keeps what a portable distribution copies.
struct ReaderLibrarySources
{
    QString runtime;         // the reader runtime, whose libraries are collected
    QString qtPlugins;       // Qt's plugin folder
    QStringList libraryDirs; // the loader's default folders, searched after an object's run path
    QString soundFontDir;    // the sound fonts GStreamer's MIDI synthesizer looks for
    QString wmfFontDir;      // the fonts the WMF renderer measures text with
};

// This machine's sources for the given runtime.
ReaderLibrarySources InstalledReaderSources(const QString& runtime);

// The sound font the runtime's MIDI synthesizer plays with, on this machine.
QString InstalledSoundFont();

struct BundledFile
{
    QString source;
    QString target;              // relative to the distribution folder
    bool inheritRunpath = false; // a library whose own run path must fall back to the book's
};

struct ReaderLibraryPlan
{
    QList<BundledFile> files;
    QStringList unresolved; // libraries named but found nowhere
};

// The files to copy: the runtime's libraries and those of the plugins, found as the loader finds
// them, without the C and C++ runtime libraries every Linux system has.
ReaderLibraryPlan PlanReaderLibraries(const ReaderLibrarySources& sources);

// The text of the qt.conf beside the book.
QByteArray ReaderQtConf();

// Copies the plan's files and qt.conf into `folder`. False after a message naming the first
// library that was not found; raises the copy errors.
bool CopyReaderLibraries(const QString& folder, const ReaderLibrarySources& sources);
