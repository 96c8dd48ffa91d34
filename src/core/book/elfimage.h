// Reading a program's or a shared library's ELF headers: where the image ends in its file (the
// e-book is whatever follows it), and what the dynamic loader is told to load with it.
#pragma once

#include <QByteArray>
#include <QStringList>

#include <optional>

// The end of the ELF image (headers, segments, sections and section table), or -1 when the bytes
// are not a 64-bit little-endian ELF file.
qint64 ElfImageEnd(const QByteArray& file);

// The dynamic section's loader instructions.
struct ElfDynamic
{
    QStringList needed;     // the shared libraries named, in order
    QStringList rpath;      // the run path searched for this object and the objects it loads
    QStringList runpath;    // the run path searched for this object's own libraries only
    qint64 runpathTag = -1; // where the run path's tag lies in the file; -1 without one
};

// The dynamic section of a 64-bit little-endian ELF file; nothing when the bytes are not one or
// the section lies outside them. A file without a dynamic section gives empty lists.
std::optional<ElfDynamic> ReadElfDynamic(const QByteArray& file);

// The bytes of the section called `name`; empty when there is none, it lies outside the bytes, or
// they are not a 64-bit little-endian ELF file.
QByteArray ElfSection(const QByteArray& file, const QString& name);
// The names of the file's sections, in order; none when it is not such a file.
QStringList ElfSectionNames(const QByteArray& file);

// Turns the run path of a shared library into the older kind, which lets the loader go on to the
// executable's own run path for what the library's path does not hold. False when the file has
// no such run path.
bool MakeRunpathInherited(QByteArray& file);
