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
// The chooser of a section: long names are shown cut (bookformat::ShownEntryName).
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
// Writes `lines` (a whole section and the empty line after it) in place of every section
// (name, source), or at the end when there is none; makes the file when missing.
void ReplaceSectionLines(const QString& file, const QString& name, const QString& source,
                         const QStringList& lines);

// Appends the lines (each followed by CR LF) to the file, creating it when missing.
void AppendSectionLines(const QString& file, const QStringList& lines);
// A section file's text and its encoding: UTF-8 when the file starts with the byte-order mark
// (which `bytes` leaves out), Windows-1252 otherwise. A file stays UTF-8 once it is; a
// Windows-1252 file becomes UTF-8 when text that Windows-1252 cannot hold is written to it.
struct SectionText
{
    enum Missing
    {
        ReadsEmpty, // a missing file reads as an empty Windows-1252 file
        MustExist   // a missing file raises InOutError
    };

    QByteArray bytes;
    bool utf8 = false;

    // Converts the text to UTF-8 when one of the lines needs it.
    void makeRoomFor(const QStringList& lines);
    // The lines in the file's encoding, each followed by CR LF.
    QByteArray encodeLines(const QStringList& lines) const;
    QString decode(QByteArrayView line) const;
    // The file's whole content, with the mark when UTF-8.
    QByteArray fileBytes() const;
};
SectionText ReadSectionText(const QString& file,
                            SectionText::Missing missing = SectionText::ReadsEmpty);

// The name and extension of the scratch file of a rewrite, beside the file.
QString ScratchFileName(const QString& file, const QString& extension);
