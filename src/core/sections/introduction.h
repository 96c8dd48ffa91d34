// The book's introduction: one section "[^INTRODUCTION^]" of the HyperText entry file whose
// text is the introduction's rich text.
#pragma once

#include <QString>
#include <QStringList>

inline const QString kIntroName = QStringLiteral("^INTRODUCTION^");
inline const QString kIntroSource = QStringLiteral("INTRO");

void AddIntroEntry(const QString& file, const QStringList& textLines);
// Appends the introduction's text lines to the list; false when there is none.
bool ReadIntroEntry(const QString& file, QStringList& textLines);
// Rewrites the introduction in its place; the file must exist.
void ReplaceIntroEntry(const QString& file, const QStringList& textLines);

enum class IntroSave
{
    Kept,    // not edited: the section stays as it is, whether the introduction is shown or not
    Written, // edited: written in its place, or added
    Removed, // edited to nothing while not shown: deleted
    Empty,   // shown and edited to nothing: deleted; the introduction is no longer shown
};

// How saving the program configuration leaves the introduction section. An introduction that
// is not shown keeps its text.
IntroSave SaveIntroduction(const QString& file, bool shown, bool edited, bool existed,
                           const QStringList& textLines);
