// The HyperText recogniser over a QTextDocument: the steps are the format library's.
#include "core/richtext/hyperphrase.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

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

char16_t ControlText::at(int position) const
{
    if (position < 0 || position >= length())
        return 0;
    const Place place = placeOf(m_doc, position);
    const int textLength = place.block.length() - 1;
    if (place.offset == textLength)
        return u'\r';
    if (place.offset > textLength)
        return u'\n';
    const QChar c = m_doc.characterAt(place.block.position() + place.offset);
    return c == QChar::LineSeparator ? u'\x0B' : c.unicode();
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
    return QString::fromStdU16String(
        bookformat::HyperPhraseAt(text, text.fromDocumentPosition(caretDocumentPosition)));
}

// A paragraph has few formats: each is asked once whether it underlines.
bool BlockControlText::underlined(const QTextFragment& fragment)
{
    const int index = fragment.charFormatIndex();
    for (const auto& [known, value] : m_formats) {
        if (known == index)
            return value;
    }
    const bool value = fragment.charFormat().fontUnderline();
    m_formats.emplace_back(index, value);
    return value;
}

BlockControlText::BlockControlText(const QTextBlock& block)
{
    // The break before the paragraph is CR, LF, as in the whole document's view.
    const bool first = !block.previous().isValid();
    m_origin = block.position() - (first ? 0 : 2);
    if (!first) {
        m_text = u"\r\n";
        m_underlined = {false, false};
    }
    m_text.reserve(std::size_t(block.length()) + 4);
    m_underlined.reserve(std::size_t(block.length()) + 4);
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QString text = fragment.text();
        const std::size_t start = m_text.size();
        m_text.append(reinterpret_cast<const char16_t*>(text.utf16()), std::size_t(text.size()));
        std::replace(m_text.begin() + qsizetype(start), m_text.end(),
                     char16_t(QChar::LineSeparator), u'\x0B');
        m_underlined.insert(m_underlined.end(), std::size_t(text.size()), underlined(fragment));
    }
    if (block.next().isValid()) {
        m_text += u"\r\n";
        m_underlined.insert(m_underlined.end(), {false, false});
    }
}

char16_t BlockControlText::at(int position) const
{
    return position >= 0 && position < length() ? m_text[std::size_t(position)] : 0;
}

bool BlockControlText::underlinedAt(int position) const
{
    return position >= 0 && position < length() && m_underlined[std::size_t(position)];
}

QString BlockControlText::phraseAt(int documentPosition) const
{
    return QString::fromStdU16String(bookformat::HyperPhraseAt(*this, documentPosition - m_origin));
}
