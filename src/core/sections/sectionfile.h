// The section-file engine: plain-text files of bracketed sections, identified by (name, source),
// that hold the book's HyperText entries and its introduction. Each routine opens the file, does
// its work and closes it; a missing file reads as a file without sections. I/O failures raise
// InOutError; rewrites never leave a half-written file.
#pragma once

#include "core/project/records.h"
#include "core/services/entrychooser.h"

#include <QStringList>

// Finds the last section (name, source); lines get the name, the whole source line, the key and
// text lines and the terminator "]".
bool ReadEntry(const QString& file, const QString& name, const QString& source, QStringList& lines);
void ListEntries(QStringList& names, const QString& file, const QString& source);
// The chooser of a section: names longer than kMaxShownEntryName are shown cut.
inline constexpr int kMaxShownEntryName = 200;
QString SelectEntry(const QString& file, const QString& source, const QString& caption,
                    int helpContext);
bool EntryExists(const QString& file, const QString& newName, const QString& oldName,
                 const QString& source);

void AddEntry(const QString& file, const QString& name, int typeCode, const QString& command,
              const QString& source);
void ReplaceEntry(const QString& file, const QString& newName, const QString& oldName, int typeCode,
                  const QString& command, const QString& source);
void AddDisplayEntry(const QString& file, const QString& name, int typeCode,
                     const DisplayRecord& display, const QStringList& textLines,
                     const QString& source);
void ReplaceDisplayEntry(const QString& file, const QString& newName, const QString& oldName,
                         int typeCode, const DisplayRecord& display, const QStringList& textLines,
                         const QString& source);
void DeleteEntry(const QString& file, const QString& name, const QString& source);

// Appends the lines (each followed by CR LF) to the file, creating it when missing.
void AppendSectionLines(const QString& file, const QStringList& lines);
// The name and extension of the scratch file of a rewrite, beside the file.
QString ScratchFileName(const QString& file, const QString& extension);
