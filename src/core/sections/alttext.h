// The author's alternative texts: for each HyperText phrase, the words that stand for the picture,
// sound or film its link shows, for readers who cannot see or hear it (the EPUB edition's alt text
// and descriptions). Kept in a section "[^ALTTEXT^]" of the HyperText entry file (source BOOK), so
// the project file's records keep their layout; each entry is a "phrase=" line and a "text=" line.
#pragma once

#include <QHash>
#include <QString>

inline const QString kAltTextName = QStringLiteral("^ALTTEXT^");
inline const QString kAltTextSource = QStringLiteral("BOOK");
// The longest alternative text: reading systems read them whole, so they stay short.
inline constexpr int kMaxAltText = 250;

// Every stored text, by the phrase's section name key (SectionNameKey). A damaged section gives
// what could be read.
QHash<QString, QString> AltTexts(const QString& hyperTextFile);
// The phrase's text; empty when none is stored.
QString AltText(const QString& hyperTextFile, const QString& phrase);
// Stores the phrase's text in place of its old one (an empty text removes it); `oldPhrase` is
// the phrase's previous name, whose text goes. Raises InOutError when the file cannot be written.
void WriteAltText(const QString& hyperTextFile, const QString& phrase, const QString& text,
                  const QString& oldPhrase = {});
