// Mouse clicks and typing as an author makes them.
#pragma once

#include <QAbstractButton>
#include <QLineEdit>
#include <QListWidget>
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

// A click on the one line of the list that reads `text`.
inline void clickItem(QListWidget* list, const QString& text)
{
    const QList<QListWidgetItem*> items = list->findItems(text, Qt::MatchExactly);
    QCOMPARE(items.size(), 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(items.first()).center());
}

// Types `text` a character at a time, in any script, as a keyboard layout of that script does:
// a key event whose text is the character (QTest::keyClicks takes Latin-1 only).
inline void type(QWidget* widget, const QString& text)
{
    for (const char32_t c : text.toUcs4()) {
        const QString character = QString::fromUcs4(&c, 1);
        QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, character, Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, character, Qt::NoModifier);
    }
}

// Replaces what the field holds with `text`, typed.
inline void retype(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    type(edit, text);
}
