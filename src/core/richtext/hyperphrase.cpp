// The HyperText recogniser.
#include "core/richtext/hyperphrase.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

struct Place
{
    QTextBlock block;
    int offset; // within the block's control characters: text, then CR, LF
};

Place placeOf(const QTextDocument& doc, int position)
{
    // The last block whose first control character is at or before the position.
    int low = 0;
    int high = doc.blockCount() - 1;
    while (low < high) {
        const int middle = (low + high + 1) / 2;
        if (doc.findBlockByNumber(middle).position() + middle <= position)
            low = middle;
        else
            high = middle - 1;
    }
    const QTextBlock block = doc.findBlockByNumber(low);
    return {block, position - (block.position() + low)};
}

} // namespace

int ControlText::length() const
{
    // Every paragraph break is two characters; the last paragraph has none.
    return m_doc.characterCount() - 1 + (m_doc.blockCount() - 1);
}

int ControlText::fromDocumentPosition(int position) const
{
    return position + m_doc.findBlock(position).blockNumber();
}

int ControlText::toDocumentPosition(int position) const
{
    const Place place = placeOf(m_doc, position);
    return place.block.position() + std::min(place.offset, place.block.length() - 1);
}

QChar ControlText::at(int position) const
{
    if (position < 0 || position >= length())
        return QChar();
    const Place place = placeOf(m_doc, position);
    const int textLength = place.block.length() - 1;
    if (place.offset == textLength)
        return QLatin1Char('\r');
    if (place.offset > textLength)
        return QLatin1Char('\n');
    const QChar c = m_doc.characterAt(place.block.position() + place.offset);
    return c == QChar::LineSeparator ? QChar(0x0B) : c;
}

bool ControlText::underlinedAt(int position) const
{
    if (position < 0 || position >= length())
        return false;
    const Place place = placeOf(m_doc, position);
    if (place.offset >= place.block.length() - 1)
        return false;
    QTextCursor cursor(const_cast<QTextDocument*>(&m_doc));
    cursor.setPosition(place.block.position() + place.offset + 1);
    return cursor.charFormat().fontUnderline();
}

QString HyperPhraseAt(const QTextDocument& document, int caretDocumentPosition)
{
    const ControlText text(document);
    const int caret = text.fromDocumentPosition(caretDocumentPosition);
    if (!text.underlinedAt(caret))
        return {};

    // Back to the start of the run, or to the start of its line. An underlined run longer than
    // any phrase (a damaged or hostile text) is no phrase: searching it would take minutes.
    int p = caret;
    bool lineStart = false;
    for (int steps = 0;; ++steps) {
        if (steps > kMaxPhraseRun)
            return {};
        p = std::max(0, p - 1);
        if (p == 0 || text.at(p - 1).unicode() < 32) {
            lineStart = true;
            break;
        }
        if (!text.underlinedAt(p))
            break;
    }

    // Forward, at most 30 characters, up to the end of the run.
    QString phrase;
    bool collecting = true;
    for (int step = 0; step < 30 && collecting; ++step) {
        if (p >= text.length())
            continue;
        phrase += text.at(p);
        ++p;
        if (!text.underlinedAt(p))
            collecting = false;
    }

    if (!lineStart)
        phrase.remove(0, 1);
    const auto isTrimmed = [](QChar c) { return c.unicode() <= 32; };
    while (!phrase.isEmpty() && isTrimmed(phrase.front()))
        phrase.remove(0, 1);
    while (!phrase.isEmpty() && isTrimmed(phrase.back()))
        phrase.chop(1);
    return phrase;
}
