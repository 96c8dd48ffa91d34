#include "core/writing/wordcount.h"

#include "core/book/booksource.h"
#include "core/files/runtimeerror.h"
#include "core/richtext/rtfreader.h"

#include <QLocale>
#include <QTextBoundaryFinder>
#include <QTextDocument>

#include <cmath>

namespace {

constexpr double kWordsAMinute = 230;
constexpr double kEastAsianCharactersAMinute = 500;

bool isLineBreak(QChar c)
{
    return c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
}

char32_t codePointAt(const QString& text, qsizetype at)
{
    const QChar c = text.at(at);
    if (c.isHighSurrogate() && at + 1 < text.size() && text.at(at + 1).isLowSurrogate())
        return QChar::surrogateToUcs4(c, text.at(at + 1));
    return c.unicode();
}

// The scripts whose words are not set apart by spaces: Han, Hiragana, Katakana, Bopomofo.
bool writtenWithoutSpaces(char32_t c)
{
    switch (QChar::script(c)) {
    case QChar::Script_Han:
    case QChar::Script_Hiragana:
    case QChar::Script_Katakana:
    case QChar::Script_Bopomofo:
        return true;
    default:
        return false;
    }
}

qsizetype characters(const QString& text)
{
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
    qsizetype count = 0;
    for (qsizetype at = 0; at < text.size();) {
        const qsizetype next = graphemes.toNextBoundary();
        if (!isLineBreak(text.at(at)))
            ++count;
        at = next < 0 ? text.size() : next;
    }
    return count;
}

} // namespace

TextCount& TextCount::operator+=(const TextCount& other)
{
    words += other.words;
    eastAsianWords += other.eastAsianWords;
    characters += other.characters;
    return *this;
}

TextCount CountText(const QString& text)
{
    TextCount count;
    // Chinese and Japanese, written without spaces, count a word a character.
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (writtenWithoutSpaces(codePointAt(text, at)))
            ++count.eastAsianWords;
    }
    // The other words start where the finder says an item starts: punctuation and spaces are
    // no items.
    QTextBoundaryFinder words(QTextBoundaryFinder::Word, text);
    for (qsizetype at = words.position(); at >= 0 && at < text.size();
         at = words.toNextBoundary()) {
        if ((words.boundaryReasons() & QTextBoundaryFinder::StartOfItem) &&
            !writtenWithoutSpaces(codePointAt(text, at)))
            ++count.words;
    }
    count.words += count.eastAsianWords;
    count.characters = characters(text);
    return count;
}

TextCount CountChapterFile(const QString& file)
{
    QTextDocument document;
    try {
        ReadRtf(ReadChapterFile(file), document);
    } catch (const RunTimeError&) {
        return {};
    }
    return CountText(document.toPlainText());
}

int ReadingMinutes(const TextCount& count)
{
    if (count.words == 0)
        return 0;
    const double minutes = double(count.words - count.eastAsianWords) / kWordsAMinute +
                           double(count.eastAsianWords) / kEastAsianCharactersAMinute;
    return std::max(1, int(std::lround(minutes)));
}

QString CountSummary(const TextCount& count)
{
    const QLocale locale;
    return QStringLiteral("%1 %2, %3 %4")
        .arg(locale.toString(count.words),
             count.words == 1 ? QStringLiteral("word") : QStringLiteral("words"),
             locale.toString(count.characters),
             count.characters == 1 ? QStringLiteral("character") : QStringLiteral("characters"));
}
