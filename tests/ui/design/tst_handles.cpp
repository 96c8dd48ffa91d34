// The stretch handle driven as the author drives it: real presses, moves, releases and keys on a
// design surface; its squares by their pixels.
#include "thrown.h"

#include "ui/design/handles.h"

#include <QFrame>
#include <QMouseEvent>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A control that remembers the presses that reach it.
class PressRecorder : public QFrame
{
public:
    using QFrame::QFrame;
    QList<QPoint> presses;

protected:
    void mousePressEvent(QMouseEvent* event) override { presses << event->position().toPoint(); }
};

struct Surface
{
    QWidget window;
    PressRecorder* under = new PressRecorder(&window);
    QFrame* panel = new QFrame(&window);
    TStretchHandle handle;

    Surface()
    {
        window.resize(640, 480);
        under->setGeometry(0, 0, 640, 480);
        panel->setGeometry(100, 100, 200, 150);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        handle.Attach(panel);
        handle.releaseMouse(); // the tests press for themselves
    }
    // Presses at `from` (the handle's coordinates), moves by `by` and releases.
    void drag(QPoint from, QPoint by)
    {
        QTest::mouseMove(&handle, from);
        QTest::mousePress(&handle, Qt::LeftButton, {}, from);
        QTest::mouseMove(&handle, from + by);
        QTest::mouseRelease(&handle, Qt::LeftButton, {}, from + by);
    }
};

} // namespace

class HandlesTest : public QObject
{
    Q_OBJECT

private slots:
    void attach_framesTheControlWithItsMargins()
    {
        Surface s;
        QCOMPARE(s.handle.parentWidget(), &s.window);
        QCOMPARE(s.handle.geometry(), QRect(98, 98, 205, 155));
        QVERIFY(s.handle.isVisible() && s.handle.isEnabled());
        s.handle.Attach(s.panel); // twice: one entry
        QCOMPARE(s.handle.attached().size(), 1);
        QWidget form;
        QCOMPARE(thrownText<EBadChild>([&] { s.handle.Attach(&form); }),
                 u"Handles can not be attached to a Form!"_s);
        QFrame other(&s.window); // a control of another parent replaces the attached ones
        QFrame inner(&other);
        s.handle.Attach(&inner);
        QCOMPARE(s.handle.attached(), QList<QPointer<QWidget>>{&inner});
        QCOMPARE(s.handle.parentWidget(), &other);
        s.handle.Detach(); // the handle belongs to the test, not to the frame that goes first
        QVERIFY(!s.handle.parentWidget() && !s.handle.isEnabled());
        QCOMPARE(s.handle.size(), QSize(24, 24));
    }

    void drags_moveAndResizeByTheDistanceLessTheMargins_data()
    {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("by");
        QTest::addColumn<QRect>("panel");
        QTest::newRow("move") << QPoint(50, 50) << QPoint(30, 20) << QRect(128, 118, 200, 150);
        QTest::newRow("bottom right")
            << QPoint(203, 153) << QPoint(20, 10) << QRect(100, 100, 217, 157);
        QTest::newRow("top left") << QPoint(1, 1) << QPoint(10, 10) << QRect(108, 108, 192, 142);
        QTest::newRow("right middle")
            << QPoint(203, 77) << QPoint(-40, 0) << QRect(100, 100, 157, 150);
        QTest::newRow("never below 5")
            << QPoint(203, 153) << QPoint(-300, -300) << QRect(100, 100, 0, 0);
        QTest::newRow("a press without a move")
            << QPoint(50, 50) << QPoint(0, 0) << QRect(100, 100, 200, 150);
    }
    void drags_moveAndResizeByTheDistanceLessTheMargins()
    {
        QFETCH(QPoint, from);
        QFETCH(QPoint, by);
        QFETCH(QRect, panel);
        Surface s;
        s.drag(from, by);
        QCOMPARE(s.panel->geometry(), panel);
        QVERIFY(s.handle.width() >= 5 && s.handle.height() >= 5);
        QVERIFY(s.handle.outline().isNull()); // erased on release
    }

    void outline_isTheControlsNewRectangleWhileDragging()
    {
        Surface s;
        QTest::mouseMove(&s.handle, QPoint(50, 50));
        QTest::mousePress(&s.handle, Qt::LeftButton, {}, QPoint(50, 50));
        QTest::mouseMove(&s.handle, QPoint(80, 70));
        QCOMPARE(s.handle.outline(), QRect(128, 118, 200, 150));
        QCOMPARE(s.panel->geometry(), QRect(100, 100, 200, 150)); // nothing moves before release
        QTest::mouseMove(&s.handle, QPoint(-500, -500));          // clamped to the surface
        QCOMPARE(s.handle.outline().topLeft(), QPoint(-50, -50)); // the mouse stops at the edge
        QTest::mouseRelease(&s.handle, Qt::LeftButton, {}, QPoint(-500, -500));
        QCOMPARE(s.panel->geometry(), QRect(-50, -50, 200, 150));
    }

    void hotZones_chooseTheStyleInTheirOrder()
    {
        Surface s;
        const int w = s.handle.width();
        const int h = s.handle.height();
        const QList<std::pair<QPoint, TStretchHandle::DragStyle>> zones = {
            {{2, 2}, TStretchHandle::TopLeft},
            {{w - 2, h - 2}, TStretchHandle::BottomRight},
            {{w - 2, 2}, TStretchHandle::TopRight},
            {{2, h - 2}, TStretchHandle::BottomLeft},
            {{w / 2, 1}, TStretchHandle::TopMiddle},
            {{w / 2, h - 1}, TStretchHandle::BottomMiddle},
            {{1, h / 2}, TStretchHandle::LeftMiddle},
            {{w - 1, h / 2}, TStretchHandle::RightMiddle},
            {{50, 50}, TStretchHandle::Move}};
        for (const auto& [at, style] : zones) {
            QTest::mouseMove(&s.handle, at);
            QCOMPARE(s.handle.dragStyle(), style);
        }
        QCOMPARE(s.handle.cursor().shape(), Qt::ArrowCursor);
        QTest::mouseMove(&s.handle, QPoint(2, 2));
        QCOMPARE(s.handle.cursor().shape(), Qt::SizeFDiagCursor);
    }

    void arrowsAndLock()
    {
        Surface s;
        QTest::keyClick(&s.handle, Qt::Key_Right);
        QTest::keyClick(&s.handle, Qt::Key_Down);
        QTest::keyClick(&s.handle, Qt::Key_Down);
        QCOMPARE(s.panel->geometry(), QRect(101, 102, 200, 150));
        s.handle.Locked = true;
        QTest::keyClick(&s.handle, Qt::Key_Left);
        s.drag(QPoint(50, 50), QPoint(30, 30));
        QCOMPARE(s.panel->geometry(), QRect(101, 102, 200, 150));
        QTest::mouseMove(&s.handle, QPoint(60, 60));
        QCOMPARE(s.handle.cursor().shape(), Qt::ForbiddenCursor);
    }

    void squares_oneControlHasMiddlesSeveralHaveSecondaryCorners()
    {
        Surface s;
        s.handle.setColor(Qt::red);
        QImage one = s.handle.grab().toImage();
        // The handle of 205 x 155 (the attach test's): the grown rectangle ends at 204 x 154 in it
        // (its last pixel column and row lie outside): corners and middles, 5 x 5.
        for (const QPoint at : {QPoint(0, 0), QPoint(203, 0), QPoint(203, 153), QPoint(0, 153),
                                QPoint(100, 2), QPoint(2, 75)})
            QCOMPARE(one.pixelColor(at), QColor(Qt::red));
        QVERIFY(one.pixelColor(50, 50) != QColor(Qt::red));

        auto* second = new QFrame(&s.window);
        second->setGeometry(400, 300, 100, 50);
        s.handle.setSecondaryColor(Qt::blue);
        s.handle.Attach(second);
        s.handle.releaseMouse();
        QCOMPARE(s.handle.geometry(), QRect(98, 98, 405, 255));
        const QImage several = s.handle.grab().toImage();
        QCOMPARE(several.pixelColor(0, 0), QColor(Qt::blue));
        QVERIFY(several.pixelColor(100, 2) != QColor(Qt::blue)); // no middle squares
        // A press between the two reaches the control under it and moves nothing.
        QTest::mousePress(&s.handle, Qt::LeftButton, {}, QPoint(302, 10));
        QTest::mouseRelease(&s.handle, Qt::LeftButton, {}, QPoint(302, 10));
        QCOMPARE(s.under->presses, QList<QPoint>{QPoint(400, 108)});
        QCOMPARE(s.panel->geometry(), QRect(100, 100, 200, 150));
        s.drag(QPoint(401, 251), QPoint(10, 0)); // on the second control's corner: still a move
        // A move takes the margin off both edges: d - 2 across, and -2 down for no move down.
        QCOMPARE(second->geometry(), QRect(408, 298, 100, 50));
        QCOMPARE(s.panel->geometry(), QRect(108, 98, 200, 150));
    }
};

QTEST_MAIN(HandlesTest)
#include "tst_handles.moc"
