// A HyperText phrase whose text Replace All changes keeps its link: the phrase's section and
// alternative text are copied under the new phrase before any chapter changes, and the old ones
// go once no chapter has the old phrase any more, so that a failure half way loses no link.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

struct PhraseMove
{
    QString from; // the phrase as a reader's click finds it before the change
    QString to;   // and after it
};

// Writes each phrase's link section and alternative text under its new phrase. A phrase whose
// section cannot be read whole is passed over. Raises InOutError when the file cannot be written.
void CopyPhraseLinks(const QString& hyperTextFile, const QList<PhraseMove>& moves);

// Removes the phrases' link sections and alternative texts.
void DropPhraseLinks(const QString& hyperTextFile, const QStringList& phrases);
