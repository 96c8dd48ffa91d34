// The RTF writer.
#include "core/richtext/rtfwriter.h"

#include "core/files/textcodec.h"
#include "core/richtext/rtfreader.h"

#include <QBuffer>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextImageFormat>
#include <QTextList>
#include <QTextTable>
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
    QTextCharFormat::VerticalAlignment vertical = QTextCharFormat::AlignNormal;
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
    void writeFrame(const QTextFrame* frame);
    void writeParagraph(const QTextBlock& block, bool inTable);
    void writeTable(const QTextTable* table);
    QByteArray cellEdges(const QTextTable* table) const;
    void writeBlockStart(const QTextBlock& block, bool inTable);
    void writeListItem(const QTextBlock& block, const QTextList* list);
    void writeFragment(const QTextFragment& fragment);
    void switchLink(const QString& href);
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
    bool m_paragraphOpen = false; // a paragraph was written that the next one must end
    QString m_link;               // the address of the hyperlink being written
    RunState m_stateBeforeLink;   // what the link's group ends back to
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
    writeFrame(m_doc.rootFrame());
    m_out += m_words;
    m_out += "}\r\n";
    return m_out;
}

void Writer::writeFrame(const QTextFrame* frame)
{
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        if (const auto* table = qobject_cast<const QTextTable*>(it.currentFrame()))
            writeTable(table);
        else if (const QTextFrame* child = it.currentFrame())
            writeFrame(child);
        else if (it.currentBlock().isValid())
            writeParagraph(it.currentBlock(), false);
    }
}

void Writer::writeParagraph(const QTextBlock& block, bool inTable)
{
    if (m_paragraphOpen)
        m_out += "\\par\r\n";
    writeBlockStart(block, inTable);
    for (auto it = block.begin(); !it.atEnd(); ++it)
        writeFragment(it.fragment());
    switchLink({});
    m_paragraphOpen = true;
}

// Each row states its cells' right edges; each cell's paragraphs end with \cell, the row with
// \row, and the paragraph after the table starts afresh.
void Writer::writeTable(const QTextTable* table)
{
    if (m_paragraphOpen)
        m_out += "\\par\r\n";
    const QByteArray edges = cellEdges(table);
    for (int row = 0; row < table->rows(); ++row) {
        m_out += "\\trowd\\trgaph108";
        if (row < table->format().headerRowCount())
            m_out += "\\trhdr";
        m_out += edges + "\r\n";
        for (int column = 0; column < table->columns(); ++column) {
            const QTextTableCell cell = table->cellAt(row, column);
            m_paragraphOpen = false;
            for (auto it = cell.begin(); !it.atEnd(); ++it) {
                if (it.currentBlock().isValid())
                    writeParagraph(it.currentBlock(), true);
            }
            if (!m_paragraphOpen)
                m_out += "\\pard\\intbl";
            m_out += m_words;
            m_words.clear();
            m_out += "\\cell ";
        }
        m_out += "\\row\r\n";
    }
    m_paragraphOpen = false;
}

// The border words of a column's cells, as the RTF gave them.
QByteArray cellBorders(const QTextTable* table, int column)
{
    const QVariantList sides =
        table->format().property(rtfprops::CellBordersTwips).toList().value(column).toList();
    static const char* const words[] = {"\\clbrdrt", "\\clbrdrl", "\\clbrdrb", "\\clbrdrr"};
    QByteArray out;
    for (int side = 0; side < 4 && side < sides.size(); ++side) {
        const int width = sides.at(side).toInt();
        if (width > 0)
            out += QByteArray(words[side]) + "\\brdrs\\brdrw" + QByteArray::number(width);
    }
    return out;
}

QByteArray Writer::cellEdges(const QTextTable* table) const
{
    const QVariantList given = table->format().property(rtfprops::CellEdgesTwips).toList();
    const QList<QTextLength> widths = table->format().columnWidthConstraints();
    QByteArray edges;
    int edge = 0;
    for (int column = 0; column < table->columns(); ++column) {
        if (column < given.size()) {
            edge = given.at(column).toInt();
        } else {
            const QTextLength width = widths.value(column);
            edge += width.type() == QTextLength::FixedLength ? qRound(width.rawValue() * 15)
                                                             : 9360 / table->columns();
        }
        edges += cellBorders(table, column) + "\\cellx" + QByteArray::number(edge);
    }
    return edges;
}

void Writer::writeBlockStart(const QTextBlock& block, bool inTable)
{
    const QTextBlockFormat format = block.blockFormat();
    m_out += "\\pard";
    if (inTable)
        m_out += "\\intbl";
    const QTextList* list = block.textList();
    if (list)
        writeListItem(block, list);
    const Qt::Alignment align = format.alignment() & Qt::AlignHorizontal_Mask;
    if (align & Qt::AlignHCenter)
        m_out += "\\qc";
    else if (align & Qt::AlignRight)
        m_out += "\\qr";
    else if (align & Qt::AlignJustify)
        m_out += "\\qj";
    // A list item's indents are its list's in the editor: the file's own are written back.
    const auto twips = [&format, list](int property, qreal pixels) {
        const QVariant exact = format.property(property);
        if (exact.isValid() && (list || qFuzzyCompare(1.0 + exact.toInt() / 15.0, 1.0 + pixels)))
            return exact.toInt();
        return qRound(pixels * 15);
    };
    int first = twips(rtfprops::FirstIndentTwips, format.textIndent());
    int left = twips(rtfprops::LeftIndentTwips, format.leftMargin());
    if (list && !format.hasProperty(rtfprops::LeftIndentTwips)) {
        first = -360;
        left = 360 + 360 * list->format().indent();
    }
    const int right = twips(rtfprops::RightIndentTwips, format.rightMargin());
    if (first != 0)
        m_out += "\\fi" + QByteArray::number(first);
    if (left != 0)
        m_out += "\\li" + QByteArray::number(left);
    if (right != 0)
        m_out += "\\ri" + QByteArray::number(right);
    if (block.textDirection() == Qt::RightToLeft)
        m_out += "\\rtlpar";
    const int before = twips(rtfprops::SpaceBeforeTwips, format.topMargin());
    const int after = twips(rtfprops::SpaceAfterTwips, format.bottomMargin());
    if (before > 0)
        m_out += "\\sb" + QByteArray::number(before);
    if (after > 0)
        m_out += "\\sa" + QByteArray::number(after);
    if (const int level = format.headingLevel(); level > 0)
        m_out += "\\outlinelevel" + QByteArray::number(level - 1);
    m_out += m_words;
    m_words.clear();
    if (!m_out.endsWith('}'))
        m_out += ' '; // the end of the last control word
}

// Lists in the older numbering that the Windows rich-edit control and Word both read: the item's
// number as text, then its list's kind.
void Writer::writeListItem(const QTextBlock& block, const QTextList* list)
{
    const QTextListFormat format = list->format();
    const int start = std::max(1, format.intProperty(rtfprops::ListStart));
    QByteArray kind;
    QString number;
    switch (format.style()) {
    case QTextListFormat::ListDecimal:
        kind = "\\pndec";
        number = QString::number(start + list->itemNumber(block)) + QLatin1Char('.');
        break;
    case QTextListFormat::ListLowerAlpha:
        kind = "\\pnlcltr";
        break;
    case QTextListFormat::ListUpperAlpha:
        kind = "\\pnucltr";
        break;
    case QTextListFormat::ListLowerRoman:
        kind = "\\pnlcrm";
        break;
    case QTextListFormat::ListUpperRoman:
        kind = "\\pnucrm";
        break;
    default:
        break;
    }
    if (kind.isEmpty()) {
        const QString bullet = format.style() == QTextListFormat::ListCircle ? QStringLiteral("o")
                               : format.style() == QTextListFormat::ListSquare
                                   ? QStringLiteral("\u25AA")
                                   : QStringLiteral("\u2022");
        m_out += "{\\pntext ";
        writeText(bullet);
        m_out += "\\tab}{\\*\\pn\\pnlvlblt\\pnindent0{\\pntxtb ";
        writeText(bullet);
        m_out += "}}";
    } else {
        if (number.isEmpty())
            number = list->itemText(block);
        m_out += "{\\pntext " + number.toLatin1() +
                 "\\tab}{\\*\\pn\\pnlvlbody\\pnindent0\\pnstart" + QByteArray::number(start) +
                 kind + "{\\pntxta.}}";
    }
    if (format.indent() > 1)
        m_out += "\\ilvl" + QByteArray::number(std::min(format.indent() - 1, 8));
}

// A hyperlink is a field whose result is the linked text; the field's group ends what the text
// set inside it.
void Writer::switchLink(const QString& href)
{
    if (href == m_link)
        return;
    if (!m_link.isEmpty()) {
        m_out += "}}}";
        m_state = m_stateBeforeLink;
        m_words.clear();
    }
    m_link = href;
    if (href.isEmpty())
        return;
    m_out += m_words;
    m_words.clear();
    m_stateBeforeLink = m_state;
    m_out += "{\\field{\\*\\fldinst{HYPERLINK \"";
    QString address = href;
    writeText(address.replace(QLatin1Char('"'), QLatin1String("%22")));
    m_out += "\"}}{\\fldrslt{";
}

void Writer::writeFragment(const QTextFragment& fragment)
{
    const QTextCharFormat format = fragment.charFormat();
    switchLink(format.isAnchor() ? format.anchorHref() : QString());
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
    next.vertical = format.verticalAlignment();
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
    if (next.vertical != m_state.vertical)
        w += next.vertical == QTextCharFormat::AlignSuperScript ? "\\super"
             : next.vertical == QTextCharFormat::AlignSubScript ? "\\sub"
                                                                : "\\nosupersub";
    m_state = next;
}

void Writer::writeImage(const QTextImageFormat& format)
{
    const QVariant resource = m_doc.resource(QTextDocument::ImageResource, QUrl(format.name()));
    const QImage image = resource.value<QImage>();
    if (image.isNull())
        return;
    // A JPEG is written as it came: made into a PNG it would grow many times over.
    QByteArray bytes =
        m_doc
            .resource(rtfprops::PictureFileResource, QUrl(rtfprops::PictureFileName(format.name())))
            .toByteArray();
    const bool jpeg = bytes.startsWith("\xFF\xD8");
    if (!jpeg) {
        bytes.clear();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
    }
    const int width = format.width() > 0 ? qRound(format.width()) : image.width();
    const int height = format.height() > 0 ? qRound(format.height()) : image.height();
    m_out += m_words;
    m_words.clear();
    m_out += (jpeg ? "{\\pict\\jpegblip\\picw" : "{\\pict\\pngblip\\picw") +
             QByteArray::number(image.width()) + "\\pich" + QByteArray::number(image.height()) +
             "\\picwgoal" + QByteArray::number(width * 15) + "\\pichgoal" +
             QByteArray::number(height * 15) + "\r\n";
    const QByteArray hex = bytes.toHex();
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
