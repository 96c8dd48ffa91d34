// Building lists and tables into the document at the reader's cursor.
#include "core/richtext/rtfstructure.h"

#include "core/richtext/rtfreader.h"

#include <QRegularExpression>
#include <QTextCursor>
#include <QTextList>
#include <QTextTable>

namespace rtf {

namespace {

// A table wider than this gives its further cells to its last column.
constexpr int kMaxColumns = 64;

int romanValue(const QString& roman)
{
    static const QHash<QChar, int> digits = {{u'i', 1},   {u'v', 5},   {u'x', 10},  {u'l', 50},
                                             {u'c', 100}, {u'd', 500}, {u'm', 1000}};
    int value = 0;
    for (qsizetype i = 0; i < roman.size(); ++i) {
        const int digit = digits.value(roman.at(i));
        const int next = i + 1 < roman.size() ? digits.value(roman.at(i + 1)) : 0;
        value += digit < next ? -digit : digit;
    }
    return value;
}

} // namespace

QTextListFormat::Style StyleOfMarker(const QString& marker, int& number)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\(?(\\d{1,6}|[ivxlcdm]{1,8}|[IVXLCDM]{1,8}|[a-zA-Z])[.)]?$"));
    const QString shown = marker.trimmed();
    number = 1;
    if (shown == QLatin1String("o")) // Word's bullet of the second level, in Courier New
        return QTextListFormat::ListCircle;
    if (shown == QStringLiteral("\u25AA") || shown == QStringLiteral("\u25A0"))
        return QTextListFormat::ListSquare;
    const QRegularExpressionMatch match = pattern.match(shown);
    if (!match.hasMatch())
        return QTextListFormat::ListDisc;
    const QString text = match.captured(1);
    if (text.at(0).isDigit()) {
        number = text.toInt();
        return QTextListFormat::ListDecimal;
    }
    // A lone "i" starts a roman list; other single letters count the alphabet.
    const bool roman =
        text.size() > 1 || text.compare(QLatin1String("i"), Qt::CaseInsensitive) == 0;
    if (roman) {
        number = std::max(1, romanValue(text.toLower()));
        return text.at(0).isLower() ? QTextListFormat::ListLowerRoman
                                    : QTextListFormat::ListUpperRoman;
    }
    number = text.at(0).toLower().unicode() - u'a' + 1;
    return text.at(0).isLower() ? QTextListFormat::ListLowerAlpha : QTextListFormat::ListUpperAlpha;
}

void StructureBuilder::joinList(const ListMark& given, const QString& marker)
{
    ListMark mark = given;
    int number = 1;
    const QTextListFormat::Style shown = StyleOfMarker(marker, number);
    const auto bullet = [](QTextListFormat::Style style) {
        return style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle ||
               style == QTextListFormat::ListSquare;
    };
    // A bullet list's marker tells which bullet.
    if (mark.style == QTextListFormat::ListStyleUndefined || (bullet(mark.style) && bullet(shown)))
        mark.style = shown;
    if (mark.start <= 0)
        mark.start = number;
    const auto sameList = [&mark](const ListMark& open) {
        return open.list == mark.list && open.level == mark.level &&
               (mark.list > 0 || open.style == mark.style);
    };
    while (!m_lists.empty() &&
           (!m_lists.back().second || m_lists.back().first.level > mark.level ||
            (m_lists.back().first.level == mark.level && !sameList(m_lists.back().first))))
        m_lists.pop_back();
    if (QTextList* inherited = m_cursor.currentList();
        inherited && (m_lists.empty() || inherited != m_lists.back().second))
        inherited->remove(m_cursor.block());
    if (!m_lists.empty() && m_lists.back().first.level == mark.level && m_lists.back().second) {
        m_lists.back().second->add(m_cursor.block());
    } else {
        QTextListFormat format;
        format.setStyle(mark.style);
        format.setIndent(mark.level + 1);
        if (mark.start > 1)
            format.setProperty(rtfprops::ListStart, mark.start);
        m_lists.emplace_back(mark, m_cursor.createList(format));
    }
    m_inList = true;
}

bool StructureBuilder::leaveLists()
{
    m_lists.clear();
    if (!m_inList)
        return false; // only a paragraph after an item inherits the item's list
    m_inList = false;
    QTextList* inherited = m_cursor.currentList();
    if (inherited)
        inherited->remove(m_cursor.block());
    return inherited != nullptr;
}

bool StructureBuilder::enterRow(const RowDefinition& row)
{
    if (!m_table) {
        openTable(row);
        return true;
    }
    if (m_rowEnded) {
        m_rowEnded = false;
        m_table->appendRows(1);
        moveToCell(m_row + 1, 0);
        return true;
    }
    if (!m_cellEnded)
        return false;
    m_cellEnded = false;
    nextCell();
    return true;
}

void StructureBuilder::openTable(const RowDefinition& row)
{
    leaveLists();
    QTextTableFormat format;
    format.setBorder(1);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setCellPadding(3);
    format.setCellSpacing(0);
    format.setBorderCollapse(true);
    if (row.header)
        format.setHeaderRowCount(1);
    const int columns = std::clamp(int(row.cellEdges.size()), 1, kMaxColumns);
    QList<QTextLength> widths;
    QVariantList edges;
    for (int i = 0; i < columns && i < row.cellEdges.size(); ++i) {
        const int left = i == 0 ? 0 : row.cellEdges.at(i - 1);
        widths << QTextLength(QTextLength::FixedLength,
                              std::max(1, row.cellEdges.at(i) - left) / 15.0);
        edges << row.cellEdges.at(i);
    }
    if (!widths.isEmpty())
        format.setColumnWidthConstraints(widths);
    format.setProperty(rtfprops::CellEdgesTwips, edges);
    QVariantList borders;
    bool bordered = false;
    for (int i = 0; i < columns && i < row.cellBorders.size(); ++i) {
        const std::array<int, 4>& sides = row.cellBorders.at(i);
        borders << QVariant(QVariantList{sides[0], sides[1], sides[2], sides[3]});
        bordered = bordered || sides != std::array<int, 4>{};
    }
    if (bordered)
        format.setProperty(rtfprops::CellBordersTwips, borders);
    m_table = m_cursor.insertTable(1, columns, format);
    // The table keeps the empty paragraph it was put in before it: that paragraph goes.
    QTextCursor before(m_table->firstCursorPosition());
    before.movePosition(QTextCursor::PreviousBlock);
    if (before.block().length() == 1 && before.block().previous().isValid())
        before.deletePreviousChar();
    m_row = 0;
    m_column = 0;
    m_rowEnded = false;
    m_cellEnded = false;
}

void StructureBuilder::nextCell()
{
    if (m_column + 1 >= m_table->columns()) {
        if (m_table->columns() >= kMaxColumns) {
            m_cursor.insertText(QStringLiteral("\t")); // the last column takes the rest
            return;
        }
        m_table->appendColumns(1);
    }
    moveToCell(m_row, m_column + 1);
}

void StructureBuilder::moveToCell(int row, int column)
{
    m_lists.clear();
    m_inList = false;
    m_row = row;
    m_column = column;
    m_cursor = m_table->cellAt(row, column).firstCursorPosition();
}

void StructureBuilder::leaveTable()
{
    if (!m_table)
        return;
    m_cursor = m_table->lastCursorPosition();
    m_cursor.movePosition(QTextCursor::NextBlock);
    m_table = nullptr;
    m_lists.clear();
    m_inList = false;
}

} // namespace rtf
