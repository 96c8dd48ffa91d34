// Finding a text across the book: every chapter of the chapter list and the texts of the
// HyperText entries (pop-ups and graphic-and-text screens), in any script with the case folding
// of the section files; and replacing it in every chapter at once.
#pragma once

#include "core/writing/phraselinks.h"

#include <QList>
#include <QString>
#include <QStringList>

struct WorkingState;

struct SearchRequest
{
    QString text;
    bool matchCase = false;
    bool wholeWord = false;
};

struct SearchHit
{
    int chapter = -1;       // in the chapter list; -1 for a HyperText entry's text
    QString file;           // the chapter file
    QString place;          // the chapter's menu entry, or the entry's name
    qsizetype position = 0; // in the plain text, as the editor counts
    qsizetype length = 0;
    QString context; // the line around the hit, the hit in brackets
};

// Where the request's text occurs in `text`, by position, none overlapping.
QList<qsizetype> FindIn(const QString& text, const SearchRequest& request);

// A search a source at a time (a chapter, or the entries' texts), so that a window can show the
// first hits while the rest are found.
class BookSearch
{
public:
    BookSearch(const WorkingState& state, SearchRequest request);

    bool done() const { return m_next > m_chapters.size(); }
    // The hits of the next source.
    QList<SearchHit> next();

private:
    QList<SearchHit> entryHits() const;

    const WorkingState& m_state;
    SearchRequest m_request;
    QStringList m_chapters; // each chapter's file, in the list's order
    QStringList m_entries;  // each chapter's menu entry
    qsizetype m_next = 0;   // the chapter to search next; past the chapters, the entries
};

struct ReplacePlan
{
    qsizetype places = 0;
    QStringList files;       // the chapter files that change, once each
    QList<PhraseMove> moves; // HyperText phrases whose text changes: their links follow them
    QStringList dropped;     // old phrases that no chapter keeps: their links go
    QString refusal;         // why Replace All cannot go on; empty when it can
};

// What Replace All would change in the chapters. A changed HyperText phrase keeps its link under
// its new text; it refuses a place that covers only part of a phrase, a phrase that would take
// the name of another phrase's link, and a chapter file it cannot write.
ReplacePlan PlanReplaceAll(const WorkingState& state, const SearchRequest& request,
                           const QString& replacement);

// Replaces every place of the plan, each run keeping its format, and writes each changed file
// through the one write path, the moved links before the chapters and the dropped ones after;
// the chapter files written. Raises RunTimeError for a file that could not be written, after the
// ones before it.
QStringList ReplaceAll(const WorkingState& state, const SearchRequest& request,
                       const QString& replacement);
