// The spelling marks an editor shows, and a right click's menu item chosen, as an author sees
// and chooses them.
#pragma once

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QTimer>

// The words under a red wavy line, in the order of the text.
inline QStringList MarkedWords(const QTextEdit* edit)
{
    QStringList words;
    const QString text = edit->toPlainText();
    for (QTextBlock block = edit->document()->begin(); block.isValid(); block = block.next()) {
        for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
            if (range.format.underlineStyle() == QTextCharFormat::SpellCheckUnderline)
                words << text.mid(block.position() + range.start, range.length);
        }
    }
    return words;
}

// Right-clicks the letter at `position` and chooses the menu's item `item`; fails the test when
// the menu has no such item.
inline void ChooseOnRightClick(QTextEdit* edit, int position, const QString& item)
{
    QTextCursor at(edit->document());
    at.setPosition(position);
    const QPoint point = edit->cursorRect(at).center();
    bool chosen = false;
    QTimer::singleShot(0, [&chosen, item] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        for (QAction* action : menu->actions()) {
            if (action->text() == item && !chosen) {
                chosen = true;
                action->trigger();
            }
        }
        menu->close();
    });
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, point,
                                 edit->viewport()->mapToGlobal(point));
    QApplication::sendEvent(edit->viewport(), &rightClick);
    QVERIFY2(chosen, qPrintable(item));
    // Offscreen, no window is active once the menu has gone; a window manager gives it back.
    edit->window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(edit->window()));
}
