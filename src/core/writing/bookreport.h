// A book's report for the author's own checks: each chapter's words, characters and HyperText
// phrases, the phrases no link defines, and the words spelt wrong.
#pragma once

#include "core/writing/wordcount.h"

#include <QList>
#include <QStringList>

#include <optional>

struct WorkingState;

struct ChapterReport
{
    QString entry;    // its line in the table of contents
    QString file;     // its chapter file
    bool read = true; // false when the file could not be read
    TextCount count;
    qsizetype phrases = 0;  // underlined phrases, each once
    QStringList unlinked;   // of those, the ones without a link definition
    QStringList misspelled; // each once, in the order of the text
};

// A report line for each chapter of the chapter list, in its order; nothing when the book's
// chapter list cannot be read.
std::optional<QList<ChapterReport>> ReportBook(const WorkingState& state);

// The report as text: a header, a line per chapter and a line of totals, the columns parted by
// tabs so that a script can read them.
QString ReportText(const QList<ChapterReport>& chapters);
