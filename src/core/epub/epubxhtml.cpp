// Walking a QTextDocument block by block and fragment by fragment into XHTML.
#include "core/epub/epubxhtml.h"

#include "core/richtext/hyperphrase.h"
#include "core/richtext/languagetags.h"
#include "core/richtext/rtfreader.h"

#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>

#include <algorithm>

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

QString paragraphStyle(const QTextBlockFormat& format)
{
    QStringList style;
    const Qt::Alignment align = format.alignment() & Qt::AlignHorizontal_Mask;
    if (align & Qt::AlignHCenter)
        style << QStringLiteral("text-align: center");
    else if (align & Qt::AlignRight)
        style << QStringLiteral("text-align: right");
    else if (align & Qt::AlignJustify)
        style << QStringLiteral("text-align: justify");
    const double left = indentPoints(format, rtfprops::LeftIndentTwips, format.leftMargin());
    const double right = indentPoints(format, rtfprops::RightIndentTwips, format.rightMargin());
    const double first = indentPoints(format, rtfprops::FirstIndentTwips, format.textIndent());
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

QString fontStyle(const QString& family, double size)
{
    QStringList style;
    if (!family.isEmpty())
        style << QStringLiteral("font-family: ") + CssFontFamily(family);
    if (size > 0)
        style << QStringLiteral("font-size: ") + points(size);
    return style.join(QStringLiteral("; "));
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
        style << QStringLiteral("color: ") + format.foreground().color().name();
    return style.join(QStringLiteral("; "));
}

QString attribute(const char* name, const QString& value)
{
    if (value.isEmpty())
        return {};
    return QStringLiteral(" %1=\"%2\"").arg(QLatin1String(name), XmlEscaped(value));
}

class BlockWriter
{
public:
    BlockWriter(const QTextDocument& document, const XhtmlHooks& hooks, const BaseFont& base,
                QString& out)
        : m_document(document), m_hooks(hooks), m_base(base), m_out(out)
    {}

    void write(const QTextBlock& block)
    {
        const int heading = block.blockFormat().headingLevel();
        const QString tag =
            heading >= 1 && heading <= 6 ? QStringLiteral("h%1").arg(heading) : QStringLiteral("p");
        m_out += QLatin1Char('<') + tag + attribute("style", paragraphStyle(block.blockFormat()));
        if (block.textDirection() == Qt::RightToLeft)
            m_out += QStringLiteral(" dir=\"rtl\"");
        m_out += QLatin1Char('>');
        bool empty = true;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            const QTextCharFormat format = fragment.charFormat();
            if (format.fontUnderline() != m_inPhrase)
                format.fontUnderline() ? openPhrase(fragment.position()) : closePhrase();
            empty = false;
            if (format.isImageFormat())
                writePicture(format.toImageFormat());
            else
                writeRun(fragment.text(), format);
        }
        closePhrase();
        if (empty)
            m_out += QStringLiteral("&#160;");
        m_out += QStringLiteral("</") + tag + QStringLiteral(">\n");
    }

private:
    void openPhrase(int position)
    {
        m_inPhrase = true;
        const XhtmlLink link =
            m_hooks.link ? m_hooks.link(HyperPhraseAt(m_document, position)) : XhtmlLink{};
        m_linkOpen = !link.href.isEmpty();
        if (!m_linkOpen)
            return;
        m_out += QStringLiteral("<a") + attribute("id", link.id);
        if (link.footnote)
            m_out += QStringLiteral(" epub:type=\"noteref\"");
        m_out += attribute("href", link.href) + QLatin1Char('>');
    }

    void closePhrase()
    {
        if (m_linkOpen)
            m_out += QStringLiteral("</a>");
        m_inPhrase = false;
        m_linkOpen = false;
    }

    void writeRun(QString text, const QTextCharFormat& format)
    {
        text.remove(QChar::ObjectReplacementCharacter);
        if (text.isEmpty())
            return;
        const QString style = runStyle(format, m_base);
        const QString language = LanguageTagOf(format.intProperty(rtfprops::Language));
        const bool foreign = !language.isEmpty() && !SameLanguage(language, m_hooks.language);
        const bool span = !style.isEmpty() || foreign;
        if (span) {
            m_out += QStringLiteral("<span");
            m_out += attribute("style", style);
            if (foreign)
                m_out += attribute("xml:lang", language) + attribute("lang", language);
            m_out += QLatin1Char('>');
        }
        const QStringList lines = text.split(QChar::LineSeparator);
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0)
                m_out += QStringLiteral("<br/>");
            m_out += XmlEscaped(lines.at(i));
        }
        if (span)
            m_out += QStringLiteral("</span>");
    }

    void writePicture(const QTextImageFormat& format)
    {
        const QImage image =
            m_document.resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>();
        if (image.isNull() || format.name().endsWith(QLatin1String("placeholder")) ||
            !m_hooks.picture)
            return;
        const QString file = m_hooks.picture(image);
        if (file.isEmpty())
            return;
        const int width = format.width() > 0 ? int(format.width()) : image.width();
        const int height = format.height() > 0 ? int(format.height()) : image.height();
        m_out += QStringLiteral("<img src=\"%1\" alt=\"\" width=\"%2\" height=\"%3\"/>")
                     .arg(XmlEscaped(file))
                     .arg(width)
                     .arg(height);
    }

    const QTextDocument& m_document;
    const XhtmlHooks& m_hooks;
    const BaseFont& m_base;
    QString& m_out;
    bool m_inPhrase = false;
    bool m_linkOpen = false;
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
    BlockWriter writer(document, hooks, base, out);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        writer.write(block);
    out += QStringLiteral("</div>\n");
}

namespace {

// Whether a UTF-16 unit must be escaped or left out: the XML specials, the control characters
// other than tab and line feed, lone surrogates (checked by the caller), U+FFFE and U+FFFF.
constexpr quint64 kSpecialBelow64 = 0x5000'0044'FFFF'F9FFull;

bool needsCare(char16_t c)
{
    return (c < 64 && ((kSpecialBelow64 >> c) & 1)) || c >= 0xD800;
}

} // namespace

QString XmlEscaped(const QString& text)
{
    const char16_t* units = reinterpret_cast<const char16_t*>(text.utf16());
    const qsizetype size = text.size();
    qsizetype first = 0;
    while (first < size && !needsCare(units[first]))
        ++first;
    if (first == size)
        return text;
    QString out;
    out.reserve(size + size / 8);
    out.append(QStringView(units, first));
    for (qsizetype i = first; i < size; ++i) {
        const char16_t c = units[i];
        // Above the surrogates (the private use area on) only U+FFFE and U+FFFF are not XML.
        if (!needsCare(c) || (c >= 0xE000 && c < 0xFFFE)) {
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
