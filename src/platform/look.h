// The look the tool's dialogs share: the teal of the design dialogs, painted backgrounds, the
// row of buttons at the foot.
#pragma once

#include <QColor>
#include <QHBoxLayout>
#include <QPalette>
#include <QWidget>

inline const QColor kTeal(0x00, 0x80, 0x80);

// Fills the widget with the colour and gives its text the other one.
inline void PaintBackground(QWidget* widget, const QColor& background,
                            const QColor& text = Qt::black)
{
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, text);
    widget->setPalette(palette);
}

// A dialog's row of buttons: `leading` at the left, `trailing` (OK, Cancel) at the right.
inline QHBoxLayout* ButtonRow(std::initializer_list<QWidget*> leading,
                              std::initializer_list<QWidget*> trailing)
{
    auto* row = new QHBoxLayout;
    for (QWidget* widget : leading)
        row->addWidget(widget);
    row->addStretch();
    for (QWidget* widget : trailing)
        row->addWidget(widget);
    return row;
}
