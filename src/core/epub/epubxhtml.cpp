// Walking a QTextDocument block by block and fragment by fragment into XHTML.
#include "core/epub/epubxhtml.h"

#include "core/epub/epubwebpage.h"
#include "core/richtext/hyperphrase.h"
#include "core/richtext/languagetags.h"
#include "core/richtext/rtfreader.h"

#include <QImage>
#include <QLocale>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextList>
#include <QTextTable>

#include <algorithm>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <optional>

namespace {

QString points(double value)
{
    return QString::number(value, 'g', 4) + QStringLiteral("pt");
}

// A paragraph's indent in points: the exact twips the RTF gave, else the pixels Qt keeps.
double indentPoints(const QTextBlockFormat& format, int twipsProperty, double pixels)
{
    if (format.hasProperty(twipsProperty))
        return format.intProperty(twipsProperty) / 20.0;
    return pixels * 0.75;
}

QString paragraphStyle(const QTextBlockFormat& format, double blankAbove)
{
    QStringList style;
    const Qt::Alignment align = format.alignment() & Qt::AlignHorizontal_Mask;
    if (align & Qt::AlignHCenter)
        style << QStringLiteral("text-align: center");
    else if (align & Qt::AlignRight)
        style << QStringLiteral("text-align: right");
    else if (align & Qt::AlignJustify)
        style << QStringLiteral("text-align: justify");
    double left = indentPoints(format, rtfprops::LeftIndentTwips, format.leftMargin());
    const double right = indentPoints(format, rtfprops::RightIndentTwips, format.rightMargin());
    const double first = indentPoints(format, rtfprops::FirstIndentTwips, format.textIndent());
    left = std::max(left, -first); // a hanging first line is not cut off at the page's edge
    const double above =
        indentPoints(format, rtfprops::SpaceBeforeTwips, format.topMargin()) + blankAbove;
    const double below = indentPoints(format, rtfprops::SpaceAfterTwips, format.bottomMargin());
    if (above > 0)
        style << QStringLiteral("margin-top: ") + points(above);
    if (below > 0)
        style << QStringLiteral("margin-bottom: ") + points(below);
    if (left != 0)
        style << QStringLiteral("margin-left: ") + points(left);
    if (right != 0)
        style << QStringLiteral("margin-right: ") + points(right);
    if (first != 0)
        style << QStringLiteral("text-indent: ") + points(first);
    return style.join(QStringLiteral("; "));
}

QString familyOf(const QTextCharFormat& format)
{
    const QStringList families = format.fontFamilies().toStringList();
    return families.isEmpty() ? QString() : families.first();
}

// The font most of the text is in, which the text's container states once.
struct BaseFont
{
    QString family;
    double size = 0;
};

BaseFont baseFont(const QTextDocument& document)
{
    QHash<QString, qsizetype> families;
    QHash<double, qsizetype> sizes;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            families[familyOf(fragment.charFormat())] += fragment.length();
            sizes[fragment.charFormat().fontPointSize()] += fragment.length();
        }
    }
    const auto most = [](const auto& counts) {
        auto best = counts.constBegin();
        for (auto it = counts.constBegin(); it != counts.constEnd(); ++it) {
            if (it.value() > best.value())
                best = it;
        }
        return best;
    };
    BaseFont base;
    if (!families.isEmpty())
        base.family = most(families).key();
    if (!sizes.isEmpty())
        base.size = most(sizes).key();
    return base;
}

// The CSS of a cell's borders (top, left, bottom, right widths in twips; 0 for none).
QString cellBorderStyle(const QVariantList& sides)
{
    static const char* const names[] = {"border-top", "border-left", "border-bottom",
                                        "border-right"};
    QStringList style;
    for (int side = 0; side < 4 && side < sides.size(); ++side) {
        const int twips = sides.at(side).toInt();
        if (twips > 0)
            style << QStringLiteral("%1: %2px solid")
                         .arg(QLatin1String(names[side]))
                         .arg(std::max(1, qRound(twips / 15.0)));
    }
    return style.join(QStringLiteral("; "));
}

QString fontStyle(const QString& family, double size)
{
    QStringList style;
    if (!family.isEmpty())
        style << QStringLiteral("font-family: ") + CssFontFamily(family);
    if (size > 0)
        style << QStringLiteral("font-size: ") + points(size);
    return style.join(QStringLiteral("; "));
}

double luminance(const QColor& colour)
{
    const auto channel = [](double c) {
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
           0.0722 * channel(colour.blueF());
}

// A text colour too light to read on the page's white (contrast below 4.5:1) is darkened in its
// own hue until it can be read.
QColor legibleOnWhite(QColor colour)
{
    for (int step = 0; step < 20 && 1.05 / (luminance(colour) + 0.05) < 4.5; ++step)
        colour =
            QColor::fromRgbF(colour.redF() * 0.9f, colour.greenF() * 0.9f, colour.blueF() * 0.9f);
    return colour;
}

QString runStyle(const QTextCharFormat& format, const BaseFont& base)
{
    QStringList style;
    const QString family = familyOf(format);
    const QString font =
        fontStyle(family == base.family ? QString() : family,
                  format.fontPointSize() == base.size ? 0 : format.fontPointSize());
    if (!font.isEmpty())
        style << font;
    if (format.fontWeight() >= QFont::Bold)
        style << QStringLiteral("font-weight: bold");
    if (format.fontItalic())
        style << QStringLiteral("font-style: italic");
    QStringList decoration;
    if (format.fontUnderline())
        decoration << QStringLiteral("underline");
    if (format.fontStrikeOut())
        decoration << QStringLiteral("line-through");
    if (!decoration.isEmpty())
        style << QStringLiteral("text-decoration: ") + decoration.join(QLatin1Char(' '));
    if (format.hasProperty(QTextFormat::ForegroundBrush))
        style << QStringLiteral("color: ") + legibleOnWhite(format.foreground().color()).name();
    return style.join(QStringLiteral("; "));
}

QString attribute(const char* name, const QString& value)
{
    if (value.isEmpty())
        return {};
    return QStringLiteral(" %1=\"%2\"").arg(QLatin1String(name), XmlEscaped(value));
}

const char* listTag(const QTextList* list)
{
    const QTextListFormat::Style style = list->format().style();
    return style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle ||
                   style == QTextListFormat::ListSquare
               ? "ul"
               : "ol";
}

QString listStyle(QTextListFormat::Style style)
{
    switch (style) {
    case QTextListFormat::ListCircle:
        return QStringLiteral("list-style-type: circle");
    case QTextListFormat::ListSquare:
        return QStringLiteral("list-style-type: square");
    case QTextListFormat::ListLowerAlpha:
        return QStringLiteral("list-style-type: lower-alpha");
    case QTextListFormat::ListUpperAlpha:
        return QStringLiteral("list-style-type: upper-alpha");
    case QTextListFormat::ListLowerRoman:
        return QStringLiteral("list-style-type: lower-roman");
    case QTextListFormat::ListUpperRoman:
        return QStringLiteral("list-style-type: upper-roman");
    default:
        return {};
    }
}

bool isEmptyParagraph(const QTextBlock& block)
{
    return block.length() <= 1 && !block.textList();
}

class BlockWriter
{
public:
    BlockWriter(const QTextDocument& document, const XhtmlHooks& hooks, const BaseFont& base,
                QString& out)
        : m_document(document), m_hooks(hooks), m_base(base), m_out(out)
    {}

    // The paragraphs and tables of a frame or a table cell, in order.
    void writeItems(QTextFrame::iterator it)
    {
        for (; !it.atEnd(); ++it) {
            if (const auto* table = qobject_cast<const QTextTable*>(it.currentFrame())) {
                closeLists();
                writeTable(table);
            } else if (const QTextFrame* child = it.currentFrame()) {
                writeItems(child->begin());
            } else if (it.currentBlock().isValid()) {
                writeBlock(it.currentBlock());
            }
        }
        closeLists();
    }

private:
    void writeBlock(const QTextBlock& block)
    {
        if (isEmptyParagraph(block)) {
            // A blank line is space above the next paragraph, not a paragraph to announce.
            const double size = block.charFormat().fontPointSize();
            m_blankSpace += (size > 0 ? size : m_base.size > 0 ? m_base.size : 12) * 1.2;
            return;
        }
        QString tag;
        if (const QTextList* list = block.textList()) {
            enterList(list);
            tag = QStringLiteral("li");
            m_out += QStringLiteral("<li");
        } else {
            closeLists();
            const ParagraphMarkup& markup = paragraphMarkupOf(block);
            tag = markup.tag;
            m_out += QLatin1Char('<') + tag;
            m_out += m_blankSpace > 0
                         ? attribute("style", paragraphStyle(block.blockFormat(), m_blankSpace))
                         : markup.style;
        }
        m_blankSpace = 0;
        if (block.textDirection() == Qt::RightToLeft)
            m_out += QStringLiteral(" dir=\"rtl\"");
        m_out += QLatin1Char('>');
        writeContent(block);
        if (tag != QLatin1String("li")) // an item ends when the next one starts: it may nest a list
            m_out += QStringLiteral("</") + tag + QStringLiteral(">\n");
    }

    void writeContent(const QTextBlock& block)
    {
        m_phrases.reset(); // read when the paragraph's first phrase starts
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            const RunMarkup& markup = markupOf(fragment);
            if (markup.underlined != m_inPhrase) {
                closeAnchor();
                markup.underlined ? openPhrase(block, fragment.position()) : closePhrase();
            }
            if (markup.anchor != m_anchor) {
                closeAnchor();
                openAnchor(markup.anchor);
            }
            if (markup.image)
                writePicture(fragment.charFormat().toImageFormat());
            else
                writeRun(fragment.text(), markup);
        }
        closeAnchor();
        closePhrase();
    }

    // A paragraph's element and style attribute, worked out once per paragraph format.
    struct ParagraphMarkup
    {
        QString tag;
        QString style;
    };

    const ParagraphMarkup& paragraphMarkupOf(const QTextBlock& block)
    {
        const int index = block.blockFormatIndex();
        if (const auto known = m_paragraphs.constFind(index); known != m_paragraphs.constEnd())
            return *known;
        const QTextBlockFormat format = block.blockFormat();
        const int heading = format.headingLevel();
        return *m_paragraphs.insert(index, {heading >= 1 && heading <= 6
                                                ? QStringLiteral("h%1").arg(heading)
                                                : QStringLiteral("p"),
                                            attribute("style", paragraphStyle(format, 0))});
    }

    // What a run of a format is written with, worked out once per format of the document.
    struct RunMarkup
    {
        bool underlined = false;
        bool image = false;
        QString anchor; // the text's own link
        QString open;   // the span and sup or sub elements around the text
        QString close;
    };

    const RunMarkup& markupOf(const QTextFragment& fragment)
    {
        const int index = fragment.charFormatIndex();
        if (const auto known = m_markup.constFind(index); known != m_markup.constEnd())
            return *known;
        const QTextCharFormat format = fragment.charFormat();
        RunMarkup markup;
        markup.underlined = format.fontUnderline();
        markup.image = format.isImageFormat();
        markup.anchor = format.isAnchor() ? format.anchorHref() : QString();
        const QString style = runStyle(format, m_base);
        const QString language = LanguageTagOf(format.intProperty(rtfprops::Language));
        const bool foreign = !language.isEmpty() && !SameLanguage(language, m_hooks.language);
        if (!style.isEmpty() || foreign) {
            markup.open = QStringLiteral("<span") + attribute("style", style);
            if (foreign)
                markup.open += attribute("xml:lang", language) + attribute("lang", language);
            markup.open += QLatin1Char('>');
            markup.close = QStringLiteral("</span>");
        }
        const QTextCharFormat::VerticalAlignment place = format.verticalAlignment();
        const QString raised = place == QTextCharFormat::AlignSuperScript ? QStringLiteral("sup")
                               : place == QTextCharFormat::AlignSubScript ? QStringLiteral("sub")
                                                                          : QString();
        if (!raised.isEmpty()) {
            markup.open += QLatin1Char('<') + raised + QLatin1Char('>');
            markup.close.prepend(QStringLiteral("</") + raised + QLatin1Char('>'));
        }
        return *m_markup.insert(index, markup);
    }

    // --- lists and tables ----------------------------------------------------------------

    void enterList(const QTextList* list)
    {
        const int indent = list->format().indent();
        while (!m_lists.empty() &&
               (m_lists.back()->format().indent() > indent ||
                (m_lists.back()->format().indent() == indent && m_lists.back() != list)))
            closeList();
        if (!m_lists.empty() && m_lists.back() == list) {
            m_out += QStringLiteral("</li>\n");
            return;
        }
        const QTextListFormat format = list->format();
        m_out += QLatin1Char('<') + QLatin1String(listTag(list)) +
                 attribute("style", listStyle(format.style()));
        if (const int start = format.intProperty(rtfprops::ListStart); start > 1)
            m_out += QStringLiteral(" start=\"%1\"").arg(start);
        m_out += QStringLiteral(">\n");
        m_lists.push_back(list);
    }

    void closeList()
    {
        m_out += QStringLiteral("</li>\n</") + QLatin1String(listTag(m_lists.back())) +
                 QStringLiteral(">\n");
        m_lists.pop_back();
    }

    void closeLists()
    {
        while (!m_lists.empty())
            closeList();
    }

    void writeTable(const QTextTable* table)
    {
        m_blankSpace = 0;
        const QVariantList borders = table->format().property(rtfprops::CellBordersTwips).toList();
        m_out += borders.isEmpty()
                     ? QStringLiteral("<table>\n")
                     : QStringLiteral("<table style=\"border-collapse: collapse\">\n");
        const int headerRows = table->format().headerRowCount();
        for (int row = 0; row < table->rows(); ++row) {
            m_out += QStringLiteral("<tr>");
            for (int column = 0; column < table->columns(); ++column) {
                const QTextTableCell cell = table->cellAt(row, column);
                if (cell.row() != row || cell.column() != column)
                    continue; // covered by a cell that spans it
                const bool header = row < headerRows;
                m_out += header ? QStringLiteral("<th scope=\"col\"") : QStringLiteral("<td");
                if (cell.rowSpan() > 1)
                    m_out += QStringLiteral(" rowspan=\"%1\"").arg(cell.rowSpan());
                if (cell.columnSpan() > 1)
                    m_out += QStringLiteral(" colspan=\"%1\"").arg(cell.columnSpan());
                m_out += attribute("style", cellBorderStyle(borders.value(column).toList()));
                m_out += QLatin1Char('>');
                writeItems(cell.begin());
                m_blankSpace = 0;
                m_out += header ? QStringLiteral("</th>") : QStringLiteral("</td>");
            }
            m_out += QStringLiteral("</tr>\n");
        }
        m_out += QStringLiteral("</table>\n");
    }

    // --- links ---------------------------------------------------------------------------

    void openPhrase(const QTextBlock& block, int position)
    {
        m_inPhrase = true;
        if (!m_hooks.link)
            return;
        if (!m_phrases)
            m_phrases.emplace(block);
        const XhtmlLink link = m_hooks.link(m_phrases->phraseAt(position));
        m_linkOpen = !link.href.isEmpty();
        if (!m_linkOpen)
            return;
        m_out += QStringLiteral("<a") + attribute("id", link.id);
        if (link.footnote)
            m_out += QStringLiteral(" epub:type=\"noteref\" role=\"doc-noteref\"");
        if (!link.dataLink.isEmpty())
            m_out += QStringLiteral(" class=\"phrase\"") + attribute("data-link", link.dataLink);
        m_out += attribute("href", link.href) + QLatin1Char('>');
    }

    void closePhrase()
    {
        if (m_linkOpen)
            m_out += QStringLiteral("</a>");
        m_inPhrase = false;
        m_linkOpen = false;
    }

    // A link the text itself gives, inside no HyperText link.
    void openAnchor(const QString& href)
    {
        if (href.isEmpty() || m_linkOpen || !IsEpubLinkAddress(href))
            return;
        m_out += QStringLiteral("<a") + attribute("href", href) + QLatin1Char('>');
        m_anchor = href;
    }

    void closeAnchor()
    {
        if (!m_anchor.isEmpty())
            m_out += QStringLiteral("</a>");
        m_anchor.clear();
    }

    // --- runs ----------------------------------------------------------------------------

    void writeRun(QString text, const RunMarkup& markup)
    {
        text.remove(QChar::ObjectReplacementCharacter);
        if (text.isEmpty())
            return;
        m_out += markup.open;
        qsizetype start = 0;
        for (qsizetype end = text.indexOf(QChar::LineSeparator); end >= 0;
             end = text.indexOf(QChar::LineSeparator, start)) {
            m_out += XmlEscaped(text.sliced(start, end - start));
            m_out += QStringLiteral("<br/>");
            start = end + 1;
        }
        m_out += XmlEscaped(start == 0 ? text : text.sliced(start));
        m_out += markup.close;
    }

    void writePicture(const QTextImageFormat& format)
    {
        const QImage image =
            m_document.resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>();
        if (image.isNull() || format.name().endsWith(QLatin1String("placeholder")) ||
            !m_hooks.picture)
            return;
        const QByteArray file = m_document
                                    .resource(rtfprops::PictureFileResource,
                                              QUrl(rtfprops::PictureFileName(format.name())))
                                    .toByteArray();
        const QString href = m_hooks.picture(image, file);
        if (href.isEmpty())
            return;
        const int width = format.width() > 0 ? int(format.width()) : image.width();
        const int height = format.height() > 0 ? int(format.height()) : image.height();
        m_out += QStringLiteral("<img src=\"%1\" alt=\"\" width=\"%2\" height=\"%3\"/>")
                     .arg(XmlEscaped(href))
                     .arg(width)
                     .arg(height);
    }

    const QTextDocument& m_document;
    const XhtmlHooks& m_hooks;
    const BaseFont& m_base;
    QString& m_out;
    bool m_inPhrase = false;
    bool m_linkOpen = false;
    std::optional<BlockControlText> m_phrases; // the paragraph being written, for its phrases
    QHash<int, RunMarkup> m_markup;            // by the document's format index
    QHash<int, ParagraphMarkup> m_paragraphs;  // by the document's block format index
    QString m_anchor;                          // the text's own link being written
    std::vector<const QTextList*> m_lists;     // the lists open around the item, outermost first
    double m_blankSpace = 0;                   // points of blank lines above the next paragraph
};

} // namespace

QString DocumentToXhtml(const QTextDocument& document, const XhtmlHooks& hooks)
{
    QString out;
    AppendXhtml(document, hooks, out);
    return out;
}

void AppendXhtml(const QTextDocument& document, const XhtmlHooks& hooks, QString& out)
{
    const BaseFont base = baseFont(document);
    out.reserve(out.size() + document.characterCount() + 1024);
    out += QStringLiteral("<div");
    out += attribute("style", fontStyle(base.family, base.size));
    out += QStringLiteral(">\n");
    BlockWriter(document, hooks, base, out).writeItems(document.rootFrame()->begin());
    out += QStringLiteral("</div>\n");
}

bool MakeTitleHeading(QTextDocument& document, const QString& title)
{
    QTextBlock first;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() > 0)
            return true;
        // Only a paragraph about as long as the title can read as it: a long one is not copied.
        if (!first.isValid() && block.length() > 1 &&
            (block.length() > title.size() + 64 || !block.text().trimmed().isEmpty()))
            first = block;
    }
    if (!first.isValid() || first.textList() || first.length() > title.size() + 64 ||
        first.text().trimmed().compare(title.trimmed(), Qt::CaseInsensitive) != 0)
        return false;
    QTextBlockFormat format = first.blockFormat();
    format.setHeadingLevel(1);
    QTextCursor(first).setBlockFormat(format);
    return true;
}

namespace {

// The language most written in the script of a letter, for the scripts that are not Latin; empty
// for Latin letters.
QString languageOfScript(QChar c)
{
    switch (c.script()) {
    case QChar::Script_Cyrillic:
        return QStringLiteral("ru");
    case QChar::Script_Greek:
        return QStringLiteral("el");
    case QChar::Script_Arabic:
        return QStringLiteral("ar");
    case QChar::Script_Hebrew:
        return QStringLiteral("he");
    case QChar::Script_Hangul:
        return QStringLiteral("ko");
    case QChar::Script_Hiragana:
    case QChar::Script_Katakana:
        return QStringLiteral("ja");
    case QChar::Script_Han:
        return QStringLiteral("zh");
    case QChar::Script_Thai:
        return QStringLiteral("th");
    case QChar::Script_Devanagari:
        return QStringLiteral("hi");
    case QChar::Script_Armenian:
        return QStringLiteral("hy");
    case QChar::Script_Georgian:
        return QStringLiteral("ka");
    default:
        return {};
    }
}

// The language of the text's first letter's script; Han characters are Japanese or Korean when
// kana or Hangul come with them.
QString scriptLanguage(const QString& text)
{
    QString first;
    bool seen = false;
    for (const QChar c : text) {
        if (!c.isLetter())
            continue;
        const QString language = languageOfScript(c);
        if (!seen) {
            first = language;
            seen = true;
        }
        if (first != QLatin1String("zh"))
            return first;
        if (language == QLatin1String("ja") || language == QLatin1String("ko"))
            return language;
    }
    return first;
}

// Whether text of the script `scriptTag` stands for is written in the language too.
bool writtenIn(const QString& language, const QString& scriptTag)
{
    const QString primary = language.section(QLatin1Char('-'), 0, 0).toLower();
    if (primary == scriptTag)
        return true;
    // Han characters belong to Japanese and Korean text as much as to Chinese.
    if (scriptTag == QLatin1String("zh"))
        return primary == QLatin1String("ja") || primary == QLatin1String("ko");
    return QLocale(primary).script() == QLocale(scriptTag).script();
}

} // namespace

QString UnmarkedTextLanguage(const QString& text, const QString& bookLanguage)
{
    const QString byScript = scriptLanguage(text);
    return byScript.isEmpty() || writtenIn(bookLanguage, byScript) ? bookLanguage : byScript;
}

QString DominantLanguage(const QTextDocument& document, const QString& bookLanguage)
{
    // A chapter has few formats and many runs: each format's marked language is read once, and
    // the counts go by language in the order met.
    QHash<int, std::optional<QString>> markedIn; // format -> its language, if it names one
    QList<std::pair<QString, qsizetype>> counts;
    qsizetype total = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            auto marked = markedIn.constFind(fragment.charFormatIndex());
            if (marked == markedIn.constEnd()) {
                const int lcid = fragment.charFormat().intProperty(rtfprops::Language);
                marked =
                    markedIn.insert(fragment.charFormatIndex(),
                                    lcid != 0 ? std::optional(LanguageTagOf(lcid)) : std::nullopt);
            }
            const QString language = marked->has_value()
                                         ? **marked
                                         : UnmarkedTextLanguage(fragment.text(), bookLanguage);
            auto count = std::find_if(counts.begin(), counts.end(),
                                      [&](const auto& c) { return c.first == language; });
            if (count == counts.end())
                count = counts.insert(counts.end(), {language, 0});
            count->second += fragment.length();
            total += fragment.length();
        }
    }
    for (const auto& [language, count] : std::as_const(counts)) {
        if (!language.isEmpty() && count * 2 > total)
            return language;
    }
    return {};
}

namespace {

// Whether a UTF-16 unit must be escaped or left out: the XML specials, the control characters
// other than tab and line feed, lone surrogates (checked by the caller), U+FFFE and U+FFFF.
constexpr quint64 kSpecialBelow64 = 0x5000'0044'FFFF'F9FFull;

bool needsCare(char16_t c)
{
    return (c < 64 && ((kSpecialBelow64 >> c) & 1)) || c >= 0xD800;
}

// How many units from the start need no care: eight at a time where the processor can, as a
// chapter is mostly plain text.
qsizetype plainPrefix(const char16_t* units, qsizetype size)
{
    qsizetype i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const auto is = [](__m128i v, char16_t c) {
        return _mm_cmpeq_epi16(v, _mm_set1_epi16(short(c)));
    };
    for (; i + 8 <= size; i += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + i));
        const __m128i below32 = _mm_cmpeq_epi16(_mm_subs_epu16(v, _mm_set1_epi16(0x1F)), zero);
        const __m128i control = _mm_andnot_si128(_mm_or_si128(is(v, u'\t'), is(v, u'\n')), below32);
        const __m128i special = _mm_or_si128(_mm_or_si128(is(v, u'"'), is(v, u'&')),
                                             _mm_or_si128(is(v, u'<'), is(v, u'>')));
        const __m128i notHigh =
            _mm_cmpeq_epi16(_mm_subs_epu16(v, _mm_set1_epi16(short(0xD7FF))), zero);
        const __m128i care = _mm_or_si128(_mm_or_si128(control, special),
                                          _mm_andnot_si128(notHigh, _mm_set1_epi16(-1)));
        if (_mm_movemask_epi8(care) != 0)
            break;
    }
#endif
    while (i < size && !needsCare(units[i]))
        ++i;
    return i;
}

} // namespace

QString XmlEscaped(const QString& text)
{
    const char16_t* units = reinterpret_cast<const char16_t*>(text.utf16());
    const qsizetype size = text.size();
    qsizetype i = plainPrefix(units, size);
    if (i == size)
        return text;
    QString out;
    out.reserve(size + size / 8);
    out.append(QStringView(units, i));
    while (i < size) {
        const char16_t c = units[i];
        // Above the surrogates (the private use area on) only U+FFFE and U+FFFF are not XML.
        if (c >= 0xE000 && c < 0xFFFE) {
            out += QChar(c);
        } else if (QChar::isHighSurrogate(c) && i + 1 < size &&
                   QChar::isLowSurrogate(units[i + 1])) {
            out += QChar(c);
            out += QChar(units[++i]);
        } else if (c == u'&') {
            out += QStringLiteral("&amp;");
        } else if (c == u'<') {
            out += QStringLiteral("&lt;");
        } else if (c == u'>') {
            out += QStringLiteral("&gt;");
        } else if (c == u'"') {
            out += QStringLiteral("&quot;");
        }
        ++i;
        const qsizetype plain = plainPrefix(units + i, size - i);
        out.append(QStringView(units + i, plain));
        i += plain;
    }
    return out;
}

QString CssFontFamily(const QString& face)
{
    const QString lower = face.toLower();
    const auto any = [&lower](std::initializer_list<const char*> words) {
        for (const char* word : words) {
            if (lower.contains(QLatin1String(word)))
                return true;
        }
        return false;
    };
    QString generic = QStringLiteral("sans-serif");
    if (any({"courier", "mono", "console", "typewriter", "fixed"}))
        generic = QStringLiteral("monospace");
    else if (any({"times", "roman", "serif", "georgia", "garamond", "book", "palatino", "century",
                  "bodoni", "cambria"}) &&
             !lower.contains(QLatin1String("sans")))
        generic = QStringLiteral("serif");
    else if (any({"script", "brush", "comic", "hand"}))
        generic = QStringLiteral("cursive");
    QString quoted = face;
    quoted.remove(QLatin1Char('"')).remove(QLatin1Char('\'')).remove(QLatin1Char(';'));
    return QStringLiteral("'%1', %2").arg(quoted, generic);
}
