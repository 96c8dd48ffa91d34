// The look the tool's dialogs share: the teal of the design dialogs, painted backgrounds.
#pragma once

#include <QColor>
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
