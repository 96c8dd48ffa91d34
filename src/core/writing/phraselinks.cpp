#include "core/writing/phraselinks.h"

#include "core/sections/alttext.h"
#include "core/sections/hypertext.h"
#include "core/sections/sectionfile.h"
#include "core/sections/sectionname.h"

void CopyPhraseLinks(const QString& hyperTextFile, const QList<PhraseMove>& moves)
{
    const QHash<QString, QString> altTexts = AltTexts(hyperTextFile);
    for (const PhraseMove& move : moves) {
        QStringList lines;
        if (!ReadEntry(hyperTextFile, move.from, kHyperSource, lines) || lines.size() < 3 ||
            lines.last() != u"]")
            continue;
        lines.first() = u'[' + move.to + u']';
        lines << QString();
        ReplaceSectionLines(hyperTextFile, move.to, kHyperSource, lines);
        const QString altText = altTexts.value(SectionNameKey(move.from));
        if (!altText.isEmpty())
            WriteAltText(hyperTextFile, move.to, altText);
    }
}

void DropPhraseLinks(const QString& hyperTextFile, const QStringList& phrases)
{
    const QHash<QString, QString> altTexts = AltTexts(hyperTextFile);
    for (const QString& phrase : phrases) {
        DeleteEntry(hyperTextFile, phrase, kHyperSource);
        if (altTexts.contains(SectionNameKey(phrase)))
            WriteAltText(hyperTextFile, phrase, QString());
    }
}
