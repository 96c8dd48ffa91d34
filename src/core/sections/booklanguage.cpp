#include "core/sections/booklanguage.h"

#include "core/files/textcodec.h"
#include "core/sections/sectionfile.h"
#include "format/sections/languagesection.h"

#include <QLocale>

#include <algorithm>

namespace {

QString tagOf(QLocale::Language language)
{
    return QLocale(language).bcp47Name().section(QLatin1Char('-'), 0, 0);
}

// The book's language as stored; empty when the book stores none.
QString storedBookLanguage(const QString& hyperTextFile)
{
    QStringList lines;
    if (!ReadEntry(hyperTextFile, kLanguageName, kLanguageSource, lines))
        return {};
    return QString::fromStdString(bookformat::StoredLanguage(textcodec::toUtf8Lines(lines)));
}

} // namespace

bool IsLanguageTag(const QString& tag)
{
    return bookformat::IsLanguageTag(tag.toStdString());
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
    ReplaceSectionLines(
        hyperTextFile, kLanguageName, kLanguageSource,
        textcodec::fromUtf8Lines(bookformat::LanguageSectionLines(tag.toStdString())));
}
