// Lists and tables as the RTF reader builds them: paragraphs joined to the list their settings
// name, and table cells filled row by row at the reader's cursor.
#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QTextListFormat>

#include <array>
#include <vector>

class QTextCursor;
class QTextList;
class QTextTable;

namespace rtf {

// What a paragraph's settings say about the list it is an item of.
struct ListMark
{
    int list = 0;  // the \ls number, -1 for the older \pn numbering, 0 for no list
    int level = 0; // 0 for the outermost
    QTextListFormat::Style style = QTextListFormat::ListStyleUndefined; // when the settings say
    int start = 0; // the first number, when the settings give it
};

// The list style and the number that an item's marker text shows: "3." is decimal from 3, "b)"
// lower-alpha from 2, "iv" lower-roman from 4; anything else is a bullet.
QTextListFormat::Style StyleOfMarker(const QString& marker, int& number);

struct RowDefinition
{
    QList<int> cellEdges; // the right edge of each cell, in twips
    bool header = false;  // the row repeats at the top of each page: the table's heading
    // Each cell's border widths in twips (top, left, bottom, right; 0 for none), and those of
    // the cell being defined, whose side `side` the border words describe (-1: none).
    QList<std::array<int, 4>> cellBorders;
    std::array<int, 4> pendingBorders{};
    int side = -1;
};

class StructureBuilder
{
public:
    explicit StructureBuilder(QTextCursor& cursor) : m_cursor(cursor) {}

    // Makes the cursor's paragraph an item of the list the mark names, after the items before
    // it; `marker` is the number or bullet the file gave the item.
    void joinList(const ListMark& mark, const QString& marker);
    // The cursor's paragraph is no list item: the next item starts a list of its own. True when
    // the paragraph left the list it had followed into.
    bool leaveLists();

    bool inTable() const { return m_table != nullptr; }
    // Before the content of a table paragraph: opens the table, or goes on to the next cell after
    // a cell ended and to the next row after a row ended. True when the cursor moved.
    bool enterRow(const RowDefinition& row);
    void endCell() { m_cellEnded = true; }
    void endRow()
    {
        m_rowEnded = m_table != nullptr;
        m_cellEnded = false;
    }
    // Moves the cursor to the paragraph after the table.
    void leaveTable();

private:
    void openTable(const RowDefinition& row);
    void nextCell();
    void moveToCell(int row, int column);

    QTextCursor& m_cursor;
    // The open lists, outermost first; Qt deletes a list whose last item leaves it.
    std::vector<std::pair<ListMark, QPointer<QTextList>>> m_lists;
    bool m_inList = false; // the last paragraph placed was an item
    QTextTable* m_table = nullptr;
    int m_row = 0;
    int m_column = 0;
    bool m_rowEnded = false;
    bool m_cellEnded = false;
};

} // namespace rtf
