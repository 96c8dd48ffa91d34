// Mouse clicks as an author makes them.
#pragma once

#include <QAbstractButton>
#include <QTest>

inline void click(QWidget* widget)
{
    QTest::mouseClick(widget, Qt::LeftButton);
}

// Near the left edge: a check box's or radio button's caption may not fill its width.
inline void click(QAbstractButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}
