// How long a text is: its words by Unicode word boundaries (so that Chinese and Japanese,
// written without spaces, count a word a character), its characters as a reader sees them, and
// about how long it takes to read.
#pragma once

#include <QString>

struct TextCount
{
    qsizetype words = 0;
    qsizetype eastAsianWords = 0; // of `words`, the characters of Chinese and Japanese
    qsizetype characters = 0;     // grapheme clusters, spaces included, line breaks not

    TextCount& operator+=(const TextCount& other);
};

TextCount CountText(const QString& text);

// The words and characters of a chapter file (RTF, or plain text); nothing for a file that
// cannot be read.
TextCount CountChapterFile(const QString& file);

// Minutes of reading, at least one for any word: 230 words a minute, 500 characters a minute of
// Chinese and Japanese.
int ReadingMinutes(const TextCount& count);

// "1,234 words, 6,789 characters", the numbers written as the locale writes them.
QString CountSummary(const TextCount& count);
