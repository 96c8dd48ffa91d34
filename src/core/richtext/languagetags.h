// The languages RTF names by Windows language identifiers (\lang1049), as the language tags
// (BCP 47) that XHTML and the book's language use.
#pragma once

#include <QString>

// "ru" for 1049 (0x0419); "zh-Hant" and "zh-Hans" for the two written forms of Chinese, "pt-BR"
// beside "pt". Empty for the neutral and unknown identifiers (1024, 0, an unlisted one).
QString LanguageTagOf(int lcid);
// The Windows language identifier RTF writes for a tag (\lang1049 for "ru"); 0 for a tag it has
// none for. LanguageTagOf gives the tag back.
int LanguageIdOf(const QString& tag);
// Whether two tags name one language, region and script aside ("en-GB" and "en").
bool SameLanguage(const QString& a, const QString& b);
// Whether the character belongs to an East Asian script, whose runs RTF gives in \langfe.
bool IsEastAsian(char32_t c);
