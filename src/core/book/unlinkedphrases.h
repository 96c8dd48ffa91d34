// Underlined phrases without a link definition: a reader's click on one only says it is not
// HyperText, so every build names them to the author, and builds on.
#pragma once

#include <QSet>
#include <QStringList>

class QTextDocument;
struct WorkingState;

// The phrases of the document's underlined runs, each as a reader's click on it finds it, once
// each in the order of the text.
QStringList UnderlinedPhrases(const QTextDocument& document);

// The keys (SectionNameKey) of the phrases the book's HyperText file defines.
QSet<QString> LinkedPhraseKeys(const WorkingState& state);

// The underlined phrases of the book's chapters that have no entry in its HyperText file, once
// each, in chapter order. Chapters that cannot be read are passed over: the build reports them.
QStringList UnlinkedPhrases(const WorkingState& state);

// "3 HyperText phrases have no link: a, b, c": at most ten named, then "..."; empty for none.
QString UnlinkedPhrasesMessage(const QStringList& phrases);

// Tells the author of the book's unlinked phrases, if it has any (a build then goes on).
void TellUnlinkedPhrases(const WorkingState& state);
