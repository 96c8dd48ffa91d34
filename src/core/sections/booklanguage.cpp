#include "core/sections/booklanguage.h"

#include "core/sections/sectionfile.h"

#include <QLocale>
#include <QRegularExpression>

#include <algorithm>

namespace {

const QString kKey = QStringLiteral("language=");

QString tagOf(QLocale::Language language)
{
    return QLocale(language).bcp47Name().section(QLatin1Char('-'), 0, 0);
}

// The book's language as stored; empty when the book stores none.
QString storedBookLanguage(const QString& hyperTextFile)
{
    QStringList lines;
    if (ReadEntry(hyperTextFile, kLanguageName, kLanguageSource, lines)) {
        for (const QString& line : std::as_const(lines)) {
            if (line.startsWith(kKey))
                return IsLanguageTag(line.mid(kKey.size()).trimmed())
                           ? line.mid(kKey.size()).trimmed()
                           : QString();
        }
    }
    return {};
}

} // namespace

bool IsLanguageTag(const QString& tag)
{
    static const QRegularExpression form(QStringLiteral("^[A-Za-z]{2,8}(-[A-Za-z0-9]{1,8})*$"));
    return tag.size() <= 35 && form.match(tag).hasMatch();
}

QList<BookLanguageChoice> BookLanguageChoices()
{
    QList<BookLanguageChoice> choices;
    QStringList tags;
    for (int l = QLocale::Abkhazian; l <= QLocale::LastLanguage; ++l) {
        const auto language = static_cast<QLocale::Language>(l);
        const QLocale locale(language);
        const QString tag = tagOf(language);
        if (locale.language() != language || tag.isEmpty() || tags.contains(tag))
            continue;
        tags << tag;
        const QString english = QLocale::languageToString(language);
        const QString native = locale.nativeLanguageName();
        const bool sameName = native.isEmpty() || native.contains(english, Qt::CaseInsensitive);
        choices.append({tag, sameName ? english : QStringLiteral("%1 (%2)").arg(english, native)});
    }
    std::sort(choices.begin(), choices.end(),
              [](const auto& a, const auto& b) { return a.name < b.name; });
    return choices;
}

QString AuthorLanguage()
{
    const QLocale::Language language = QLocale::system().language();
    if (language == QLocale::C || language == QLocale::AnyLanguage)
        return QStringLiteral("en");
    return tagOf(language);
}

QString BookLanguage(const QString& hyperTextFile)
{
    const QString stored = storedBookLanguage(hyperTextFile);
    return stored.isEmpty() ? AuthorLanguage() : stored;
}

void WriteBookLanguage(const QString& hyperTextFile, const QString& tag)
{
    const QStringList section = {QLatin1Char('[') + kLanguageName + QLatin1Char(']'),
                                 QStringLiteral("source=") + kLanguageSource, kKey + tag,
                                 QStringLiteral("]"), QString()};
    ReplaceSectionLines(hyperTextFile, kLanguageName, kLanguageSource, section);
}
