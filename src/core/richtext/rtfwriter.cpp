// The RTF writer.
#include "core/richtext/rtfwriter.h"

#include "core/files/textcodec.h"
#include "core/richtext/rtfreader.h"

#include <QBuffer>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

namespace {

struct RunState
{
    int font = 0;
    int halfPoints = 20;
    int colour = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int language = 0; // a Windows language identifier; 0 for none
};

class Writer
{
public:
    explicit Writer(const QTextDocument& document) : m_doc(document) {}
    QByteArray run();

private:
    void collectTables();
    int fontIndex(const QTextCharFormat& format) const;
    int colourIndex(const QTextCharFormat& format) const;
    QString familyOf(const QTextCharFormat& format) const;
    void writeBlockStart(const QTextBlock& block);
    void writeFragment(const QTextFragment& fragment);
    void writeImage(const QTextImageFormat& format);
    void switchTo(const RunState& next);
    void writeText(const QString& text);
    void writeSpecial(QChar c);

    const QTextDocument& m_doc;
    QStringList m_fonts;
    QList<QRgb> m_colours;
    QByteArray m_out;
    QByteArray m_words; // control words waiting for the next text
    RunState m_state;
};

QString Writer::familyOf(const QTextCharFormat& format) const
{
    const QStringList families = format.fontFamilies().toStringList();
    if (!families.isEmpty() && !families.first().isEmpty())
        return families.first();
    return m_doc.defaultFont().family();
}

void Writer::collectTables()
{
    for (QTextBlock block = m_doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            const QString family = familyOf(format);
            if (!m_fonts.contains(family))
                m_fonts << family;
            if (format.hasProperty(QTextFormat::ForegroundBrush) &&
                format.foreground().style() != Qt::NoBrush) {
                const QRgb rgb = format.foreground().color().rgb();
                if (!m_colours.contains(rgb))
                    m_colours << rgb;
            }
        }
    }
    if (m_fonts.isEmpty())
        m_fonts << m_doc.defaultFont().family();
}

int Writer::fontIndex(const QTextCharFormat& format) const
{
    return int(m_fonts.indexOf(familyOf(format)));
}

int Writer::colourIndex(const QTextCharFormat& format) const
{
    if (!format.hasProperty(QTextFormat::ForegroundBrush) ||
        format.foreground().style() == Qt::NoBrush)
        return 0;
    return int(m_colours.indexOf(format.foreground().color().rgb())) + 1;
}

QByteArray Writer::run()
{
    collectTables();
    m_out.reserve(m_doc.characterCount() + m_doc.characterCount() / 8 + 1024);
    m_out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl";
    for (int i = 0; i < m_fonts.size(); ++i) {
        m_out += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset0 ";
        writeText(m_fonts.at(i));
        m_out += ";}";
    }
    m_out += "}\r\n";
    if (!m_colours.isEmpty()) {
        m_out += "{\\colortbl ;";
        for (const QRgb rgb : std::as_const(m_colours)) {
            m_out += "\\red" + QByteArray::number(qRed(rgb)) + "\\green" +
                     QByteArray::number(qGreen(rgb)) + "\\blue" + QByteArray::number(qBlue(rgb)) +
                     ';';
        }
        m_out += "}\r\n";
    }
    m_out += "\\viewkind4\\uc1";
    m_state = RunState{};
    m_words = "\\f0\\fs20";
    for (QTextBlock block = m_doc.begin(); block.isValid(); block = block.next()) {
        if (block != m_doc.begin())
            m_out += "\\par\r\n";
        writeBlockStart(block);
        for (auto it = block.begin(); !it.atEnd(); ++it)
            writeFragment(it.fragment());
    }
    m_out += m_words;
    m_out += "}\r\n";
    return m_out;
}

void Writer::writeBlockStart(const QTextBlock& block)
{
    const QTextBlockFormat format = block.blockFormat();
    m_out += "\\pard";
    const Qt::Alignment align = format.alignment() & Qt::AlignHorizontal_Mask;
    if (align & Qt::AlignHCenter)
        m_out += "\\qc";
    else if (align & Qt::AlignRight)
        m_out += "\\qr";
    else if (align & Qt::AlignJustify)
        m_out += "\\qj";
    const auto twips = [&format](int property, qreal pixels) {
        const QVariant exact = format.property(property);
        if (exact.isValid() && qFuzzyCompare(1.0 + exact.toInt() / 15.0, 1.0 + pixels))
            return exact.toInt();
        return qRound(pixels * 15);
    };
    const int first = twips(rtfprops::FirstIndentTwips, format.textIndent());
    const int left = twips(rtfprops::LeftIndentTwips, format.leftMargin());
    const int right = twips(rtfprops::RightIndentTwips, format.rightMargin());
    if (first != 0)
        m_out += "\\fi" + QByteArray::number(first);
    if (left != 0)
        m_out += "\\li" + QByteArray::number(left);
    if (right != 0)
        m_out += "\\ri" + QByteArray::number(right);
    if (block.textDirection() == Qt::RightToLeft)
        m_out += "\\rtlpar";
    m_out += m_words;
    m_words.clear();
    m_out += ' ';
}

void Writer::writeFragment(const QTextFragment& fragment)
{
    const QTextCharFormat format = fragment.charFormat();
    if (format.isImageFormat()) {
        writeImage(format.toImageFormat());
        return;
    }
    RunState next;
    next.font = fontIndex(format);
    const qreal points =
        format.fontPointSize() > 0 ? format.fontPointSize() : m_doc.defaultFont().pointSizeF();
    next.halfPoints = qRound(points * 2);
    next.colour = colourIndex(format);
    next.bold = format.fontWeight() >= QFont::DemiBold;
    next.italic = format.fontItalic();
    next.underline = format.fontUnderline();
    next.strike = format.fontStrikeOut();
    next.language = format.intProperty(rtfprops::Language);
    switchTo(next);
    writeText(fragment.text());
}

void Writer::switchTo(const RunState& next)
{
    QByteArray& w = m_words;
    if (next.colour != m_state.colour)
        w += "\\cf" + QByteArray::number(next.colour);
    if (next.bold != m_state.bold)
        w += next.bold ? "\\b" : "\\b0";
    if (next.italic != m_state.italic)
        w += next.italic ? "\\i" : "\\i0";
    if (next.underline != m_state.underline)
        w += next.underline ? "\\ul" : "\\ulnone";
    if (next.strike != m_state.strike)
        w += next.strike ? "\\strike" : "\\strike0";
    if (next.font != m_state.font)
        w += "\\f" + QByteArray::number(next.font);
    if (next.halfPoints != m_state.halfPoints)
        w += "\\fs" + QByteArray::number(next.halfPoints);
    if (next.language != m_state.language) // 1024: no language given
        w += "\\lang" + QByteArray::number(next.language != 0 ? next.language : 1024);
    m_state = next;
}

void Writer::writeImage(const QTextImageFormat& format)
{
    const QVariant resource = m_doc.resource(QTextDocument::ImageResource, QUrl(format.name()));
    const QImage image = resource.value<QImage>();
    if (image.isNull())
        return;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    const int width = format.width() > 0 ? qRound(format.width()) : image.width();
    const int height = format.height() > 0 ? qRound(format.height()) : image.height();
    m_out += m_words;
    m_words.clear();
    m_out += "{\\pict\\pngblip\\picw" + QByteArray::number(image.width()) + "\\pich" +
             QByteArray::number(image.height()) + "\\picwgoal" + QByteArray::number(width * 15) +
             "\\pichgoal" + QByteArray::number(height * 15) + "\r\n";
    const QByteArray hex = png.toHex();
    for (qsizetype i = 0; i < hex.size(); i += 128)
        m_out += hex.mid(i, 128) + "\r\n";
    m_out += '}';
}

void Writer::writeText(const QString& text)
{
    if (!m_words.isEmpty()) {
        m_out += m_words;
        m_out += ' ';
        m_words.clear();
    }
    const QChar* chars = text.constData();
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size;) {
        // Printable ASCII without RTF's special characters goes out in one piece.
        qsizetype end = i;
        while (end < size) {
            const char16_t u = chars[end].unicode();
            if (u < 0x20 || u >= 0x80 || u == '\\' || u == '{' || u == '}')
                break;
            ++end;
        }
        if (end > i) {
            const qsizetype at = m_out.size();
            m_out.resize(at + (end - i));
            char* out = m_out.data() + at;
            for (qsizetype k = i; k < end; ++k)
                *out++ = char(chars[k].unicode());
            i = end;
            continue;
        }
        writeSpecial(chars[i]);
        ++i;
    }
}

void Writer::writeSpecial(QChar c)
{
    const char16_t u = c.unicode();
    if (u == '\\' || u == '{' || u == '}') {
        m_out += '\\';
        m_out += char(u);
    } else if (u == '\t') {
        m_out += "\\tab ";
    } else if (u == QChar::LineSeparator || u == 0x0B) {
        m_out += "\\line ";
    } else if (u < 0x20) {
        return;
    } else {
        const QByteArray encoded = textcodec::encode(QString(c));
        if (encoded != "?" || u == '?')
            m_out += "\\'" + encoded.toHex();
        else
            m_out += "\\u" + QByteArray::number(int(qint16(u))) + '?';
    }
}

} // namespace

QByteArray WriteRtf(const QTextDocument& document)
{
    return Writer(document).run();
}
