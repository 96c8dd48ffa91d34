// Reading and writing the alternative texts of the HyperText file.
#include "core/sections/alttext.h"

#include "core/sections/sectionfile.h"
#include "core/sections/sectionname.h"

#include <QMap>

namespace {

const QString kPhraseKey = QStringLiteral("phrase=");
const QString kTextKey = QStringLiteral("text=");

// The stored entries by key, with the phrase as it was written, in the file's order of keys.
QMap<QString, std::pair<QString, QString>> storedEntries(const QString& hyperTextFile)
{
    QMap<QString, std::pair<QString, QString>> entries;
    QStringList lines;
    if (!ReadEntry(hyperTextFile, kAltTextName, kAltTextSource, lines))
        return entries;
    QString phrase;
    for (const QString& line : std::as_const(lines)) {
        if (line.startsWith(kPhraseKey)) {
            phrase = line.mid(kPhraseKey.size());
        } else if (line.startsWith(kTextKey) && !phrase.isEmpty()) {
            entries.insert(SectionNameKey(phrase),
                           {phrase, line.mid(kTextKey.size()).left(kMaxAltText)});
            phrase.clear();
        }
    }
    return entries;
}

// One line of text: line breaks would end the entry.
QString oneLine(const QString& text)
{
    QString line = text.simplified();
    return line.left(kMaxAltText);
}

} // namespace

QHash<QString, QString> AltTexts(const QString& hyperTextFile)
{
    QHash<QString, QString> texts;
    const auto entries = storedEntries(hyperTextFile);
    for (auto it = entries.constBegin(); it != entries.constEnd(); ++it)
        texts.insert(it.key(), it->second);
    return texts;
}

QString AltText(const QString& hyperTextFile, const QString& phrase)
{
    return storedEntries(hyperTextFile).value(SectionNameKey(phrase)).second;
}

void WriteAltText(const QString& hyperTextFile, const QString& phrase, const QString& text,
                  const QString& oldPhrase)
{
    auto entries = storedEntries(hyperTextFile);
    const qsizetype before = entries.size();
    const QString line = oneLine(text);
    if (!oldPhrase.isEmpty())
        entries.remove(SectionNameKey(oldPhrase));
    entries.remove(SectionNameKey(phrase));
    if (!line.isEmpty())
        entries.insert(SectionNameKey(phrase), {phrase, line});
    if (entries.isEmpty() && before == 0)
        return; // a book without alternative texts gets no section for them
    QStringList lines{u'[' + kAltTextName + u']', QStringLiteral("source=") + kAltTextSource};
    for (const auto& [storedPhrase, storedText] : std::as_const(entries))
        lines << kPhraseKey + storedPhrase << kTextKey + storedText;
    lines << QStringLiteral("]") << QString();
    ReplaceSectionLines(hyperTextFile, kAltTextName, kAltTextSource, lines);
}
