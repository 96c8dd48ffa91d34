// The owner-drawn colour list.
#include "ui/common/colourlist.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QStyledItemDelegate>

namespace {

// Clears the entry with the list's background (the highlight when selected), then fills the
// rectangle shrunk by 2 on every side and moved 3 more to the right with the entry's colour.
class SwatchDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        painter->fillRect(option.rect,
                          option.palette.brush(selected ? QPalette::Highlight : QPalette::Base));
        QRect swatch = option.rect.adjusted(2, 2, -2, -2);
        swatch.setLeft(swatch.left() + 3);
        QColor colour = index.data(Qt::UserRole).value<QColor>();
        if (!colour.isValid())
            colour = option.palette.color(QPalette::Text);
        painter->fillRect(swatch, colour);
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        return {60, 18};
    }
};

} // namespace

const QList<NamedTextColour>& TextColours()
{
    static const QList<NamedTextColour> colours = {
        {"clWindowText", QColor()},
        {"clBlack", QColor(0x00, 0x00, 0x00)},
        {"clMaroon", QColor(0x80, 0x00, 0x00)},
        {"clGreen", QColor(0x00, 0x80, 0x00)},
        {"clOlive", QColor(0x80, 0x80, 0x00)},
        {"clNavy", QColor(0x00, 0x00, 0x80)},
        {"clPurple", QColor(0x80, 0x00, 0x80)},
        {"clTeal", QColor(0x00, 0x80, 0x80)},
        {"clGray", QColor(0x80, 0x80, 0x80)},
        {"clSilver", QColor(0xC0, 0xC0, 0xC0)},
        {"clRed", QColor(0xFF, 0x00, 0x00)},
        {"clLime", QColor(0x00, 0xFF, 0x00)},
        {"clYellow", QColor(0xFF, 0xFF, 0x00)},
        {"clBlue", QColor(0x00, 0x00, 0xFF)},
        {"clFuchsia", QColor(0xFF, 0x00, 0xFF)},
        {"clAqua", QColor(0x00, 0xFF, 0xFF)},
        {"clWhite", QColor(0xFF, 0xFF, 0xFF)},
    };
    return colours;
}

ColourCombo::ColourCombo(QWidget* parent) : QComboBox(parent)
{
    for (const NamedTextColour& entry : TextColours()) {
        addItem(QString());
        setItemData(count() - 1, entry.colour, Qt::UserRole);
        setItemData(count() - 1, QString::fromLatin1(entry.name), Qt::ToolTipRole);
    }
    setItemDelegate(new SwatchDelegate(this));
}

int ColourCombo::indexOfColour(const QColor& colour) const
{
    for (int i = 0; i < count(); ++i) {
        const QColor entry = colourAt(i);
        if (entry.isValid() == colour.isValid() &&
            (!entry.isValid() || entry.rgb() == colour.rgb()))
            return i;
    }
    return -1;
}

QColor ColourCombo::colourAt(int index) const
{
    return itemData(index, Qt::UserRole).value<QColor>();
}

void ColourCombo::paintEvent(QPaintEvent*)
{
    // The closed box shows the current entry's swatch, as the open list does.
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    if (currentIndex() < 0)
        return;
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    QColor colour = colourAt(currentIndex());
    if (!colour.isValid())
        colour = palette().color(QPalette::Text);
    painter.fillRect(field.adjusted(2, 2, -2, -2), colour);
}
