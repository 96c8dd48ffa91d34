// The book's language: a BCP 47 tag ("ru", "ja", "pt-BR") kept in a section "[^LANGUAGE^]" of the
// HyperText entry file (source BOOK), so the project file's records keep their layout. The EPUB
// edition declares it; a chapter's runs in other languages are marked against it.
#pragma once

#include <QList>
#include <QString>

inline const QString kLanguageName = QStringLiteral("^LANGUAGE^"); // bookformat::kLanguageName
inline const QString kLanguageSource = QStringLiteral("BOOK");     // bookformat::kLanguageSource

struct BookLanguageChoice
{
    QString tag;  // "ru"
    QString name; // "Russian (русский)"
};

// Every language the platform knows, by English name, each once with its tag.
QList<BookLanguageChoice> BookLanguageChoices();
// The language of the author's locale, as a tag of BookLanguageChoices(); "en" where the
// locale names no language (the C locale of a bare machine).
QString AuthorLanguage();
// The book's language as stored, or the author's when the book stores none.
QString BookLanguage(const QString& hyperTextFile);
// Whether the text has the form of a language tag; a stored text of another form (a damaged or
// hand-made file) is taken as no language at all.
bool IsLanguageTag(const QString& tag);
// Stores the tag in the file (made when missing), replacing the one stored.
void WriteBookLanguage(const QString& hyperTextFile, const QString& tag);
