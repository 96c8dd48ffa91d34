// Chapters from a word processor's or the web's files: Word (.docx) and OpenDocument (.odt)
// through pandoc, run as a child bounded in time and memory; Markdown (.md) and HTML (.html)
// through Qt's own readers. The outcome is the chapter's RTF, whose underlined phrases are its
// HyperText as for any chapter.
#pragma once

#include <QByteArray>
#include <QString>

struct ImportedChapter
{
    QByteArray rtf;
    QString error;            // the message for the author; empty when the file was imported
    qsizetype underlined = 0; // underlined phrases, which are HyperText
};

// Whether the file is of a kind ImportChapter reads (by its suffix).
bool IsImportedKind(const QString& path);

ImportedChapter ImportChapter(const QString& path);

// "NAME came in with 3 underlined phrases, which are HyperText." (none: says so too).
QString ImportedMessage(const QString& path, const ImportedChapter& chapter);
