// The stretch handle (module Handles). Its frame lies 2 pixels left of and above the attached
// controls and 3 pixels right of and below them; drags snap the frame's own edges to the grid and
// take the margins off after, so with a grid of 1 an edge of the control follows a drag of d pixels
// by d - 2 (left, top) or d - 3 (right, bottom).
#include "ui/design/handles.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int kMinimum = 5;

int snap(int value, int grid)
{
    return value / grid * grid; // toward zero, as the frame's edges snap
}

// The control's rectangle grown by 2 on every side.
QRect grown(const QWidget* control)
{
    return control->geometry().adjusted(-2, -2, 2, 2);
}

} // namespace

// The dotted outline of the frame being dragged, drawn over the whole parent so that it can run
// outside the handle; it takes no input.
class TStretchHandle::Outline : public QWidget
{
public:
    explicit Outline(QWidget* parent) : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
    }
    void show(const QRect& rectangle)
    {
        m_rectangle = rectangle;
        setGeometry(parentWidget()->rect());
        QWidget::show();
        raise();
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(m_rectangle.adjusted(0, 0, -1, -1));
    }

private:
    QRect m_rectangle;
};

TStretchHandle::TStretchHandle(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TStretchHandle"));
    setAttribute(Qt::WA_NoSystemBackground); // the controls under it stay visible
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    resize(24, 24);
    setEnabled(false);
    hide();
}

TStretchHandle::~TStretchHandle()
{
    delete m_outline;
}

void TStretchHandle::setColor(const QColor& colour)
{
    Color = colour;
    update();
}

void TStretchHandle::setSecondaryColor(const QColor& colour)
{
    SecondaryColor = colour;
    update();
}

void TStretchHandle::setSnapToGrid(bool snapOn)
{
    GridX = GridY = snapOn ? 8 : 1;
}

void TStretchHandle::Attach(QWidget* control)
{
    if (control && control->isWindow())
        throw EBadChild();
    if (!control || m_attached.contains(control))
        return;
    if (!m_attached.isEmpty() && m_attached.first() &&
        m_attached.first()->parentWidget() != control->parentWidget())
        Detach();
    const QRect c = control->geometry();
    if (!m_attached.isEmpty()) {
        const QRect f = geometry();
        const int left = std::min(f.left(), c.left() - 2);
        const int top = std::min(f.top(), c.top() - 2);
        const int right = std::max(f.left() + f.width() - 3, c.left() + c.width());
        const int bottom = std::max(f.top() + f.height() - 3, c.top() + c.height());
        setGeometry(left, top, right - left + 3, bottom - top + 3);
    } else {
        setParent(control->parentWidget());
        m_dragRect = QRect();
        setEnabled(true);
        show();
        setGeometry(c.left() - 2, c.top() - 2, c.width() + 5, c.height() + 5);
    }
    m_attached << control;
    m_dragStyle = Move;
    raise();
    grabMouse(); // the press that attached the handle goes on as a drag of it
    if (isVisible() && isEnabled())
        setFocus();
}

void TStretchHandle::Detach()
{
    if (QWidget::mouseGrabber() == this)
        releaseMouse();
    m_attached.clear();
    Locked = false;
    resize(24, 24);
    setEnabled(false);
    hide();
    setParent(nullptr);
    m_dragRect = QRect();
    m_dragging = false;
}

void TStretchHandle::SetBounds(int left, int top, int width, int height)
{
    if (Locked)
        return;
    const QRect old = geometry();
    for (const QPointer<QWidget>& control : std::as_const(m_attached)) {
        if (!control)
            continue;
        const QRect c = control->geometry();
        control->setGeometry(c.left() + (left - old.left()), c.top() + (top - old.top()),
                             c.width() + (width - old.width()),
                             c.height() + (height - old.height()));
    }
    setGeometry(left, top, width, height);
}

QRect TStretchHandle::newFrame(int x, int y) const
{
    const QRect f = geometry();
    const int l = f.left();
    const int t = f.top();
    const int w = f.width();
    const int h = f.height();
    const int dx = x - m_dragOffset.x();
    const int dy = y - m_dragOffset.y();
    const int left = snap(l + dx, GridX) - 2;
    const int top = snap(t + dy, GridY) - 2;
    const int width = snap(w + dx, GridX) - 3;
    const int height = snap(h + dy, GridY) - 3;
    QRect frame;
    switch (m_dragStyle) {
    case Move:
        frame = {left, top, w, h};
        break;
    case TopLeft:
        frame = {left, top, w - (left - l), h - (top - t)};
        break;
    case TopRight:
        frame = {l, top, width, h - (top - t)};
        break;
    case BottomLeft:
        frame = {left, t, w - (left - l), height};
        break;
    case BottomRight:
        frame = {l, t, width, height};
        break;
    case TopMiddle:
        frame = {l, top, w, h - (top - t)};
        break;
    case LeftMiddle:
        frame = {left, t, w - (left - l), h};
        break;
    case BottomMiddle:
        frame = {l, t, w, height};
        break;
    case RightMiddle:
        frame = {l, t, width, h};
        break;
    }
    frame.setWidth(std::max(frame.width(), kMinimum));
    frame.setHeight(std::max(frame.height(), kMinimum));
    return frame;
}

QRect TStretchHandle::outline() const
{
    if (m_dragRect.isNull())
        return {};
    const QRect& f = m_dragRect;
    return QRect(QPoint(f.left() + 2, f.top() + 2),
                 QPoint(f.left() + f.width() - 3 - 1, f.top() + f.height() - 3 - 1));
}

TStretchHandle::DragStyle TStretchHandle::hotZone(int x, int y, Qt::CursorShape& cursor) const
{
    cursor = Qt::ArrowCursor;
    if (m_attached.size() != 1)
        return Move;
    const double w = width();
    const double h = height();
    DragStyle style = Move;
    const auto near = [](double a, double limit) { return std::abs(a) < limit; };
    const auto zone = [&](bool hit, DragStyle s, Qt::CursorShape c) {
        if (hit) {
            style = s;
            cursor = c;
        }
    };
    zone(near(x, 5) && near(y, 5), TopLeft, Qt::SizeFDiagCursor);
    zone(near(x - w, 5) && near(y - h, 5), BottomRight, Qt::SizeFDiagCursor);
    zone(near(x - w, 5) && near(y, 5), TopRight, Qt::SizeBDiagCursor);
    zone(near(x, 5) && near(y - h, 5), BottomLeft, Qt::SizeBDiagCursor);
    zone(near(x - w / 2, 3) && near(y, 5), TopMiddle, Qt::SizeVerCursor);
    zone(near(x - w / 2, 3) && near(y - h, 5), BottomMiddle, Qt::SizeVerCursor);
    zone(near(y - h / 2, 3) && near(x, 5), LeftMiddle, Qt::SizeHorCursor);
    zone(near(y - h / 2, 3) && near(x - w, 5), RightMiddle, Qt::SizeHorCursor);
    return style;
}

QPoint TStretchHandle::clamped(QPoint position) const
{
    const QWidget* parent = parentWidget();
    if (!parent)
        return position;
    return {std::clamp(position.x(), -x(), parent->width() - x()),
            std::clamp(position.y(), -y(), parent->height() - y())};
}

bool TStretchHandle::hitsFrame(QPoint inParent) const
{
    return std::any_of(
        m_attached.cbegin(), m_attached.cend(),
        [inParent](const QPointer<QWidget>& c) { return c && grown(c).contains(inParent); });
}

void TStretchHandle::mousePressEvent(QMouseEvent* event)
{
    const QPoint inParent = pos() + event->position().toPoint();
    if (!hitsFrame(inParent)) {
        unsetCursor();
        forward(event);
        return;
    }
    if (event->button() == Qt::LeftButton && !Locked) {
        m_dragOffset = event->position().toPoint();
        m_dragging = true;
    }
}

void TStretchHandle::mouseMoveEvent(QMouseEvent* event)
{
    QPoint at = event->position().toPoint();
    const bool leftDown = event->buttons() & Qt::LeftButton;
    if (leftDown && !m_dragging && !Locked) {
        m_dragOffset = at;
        m_dragging = true;
        return;
    }
    if (!leftDown && QWidget::mouseGrabber() == this)
        releaseMouse();
    Qt::CursorShape cursor = Qt::ArrowCursor;
    const DragStyle zone = hotZone(at.x(), at.y(), cursor);
    if (Locked)
        cursor = Qt::ForbiddenCursor;
    if (m_dragging) {
        at = clamped(at);
        if (m_dragStyle == Move)
            cursor = Qt::DragMoveCursor;
        setCursor(cursor);
        drawOutline(at);
        return;
    }
    m_dragStyle = zone;
    setCursor(cursor);
}

void TStretchHandle::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_dragging || event->button() != Qt::LeftButton) {
        forward(event);
        return;
    }
    const QPoint at = clamped(event->position().toPoint());
    if (at != m_dragOffset) {
        const QRect frame = newFrame(at.x(), at.y());
        SetBounds(frame.left(), frame.top(), frame.width(), frame.height());
    }
    eraseOutline();
    if (isVisible() && isEnabled())
        setFocus();
    m_dragging = false;
    unsetCursor();
    if (QWidget::mouseGrabber() == this)
        releaseMouse();
}

void TStretchHandle::keyPressEvent(QKeyEvent* event)
{
    QPoint step;
    switch (event->key()) {
    case Qt::Key_Left:
        step = {-1, 0};
        break;
    case Qt::Key_Right:
        step = {1, 0};
        break;
    case Qt::Key_Up:
        step = {0, -1};
        break;
    case Qt::Key_Down:
        step = {0, 1};
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    SetBounds(x() + step.x(), y() + step.y(), width(), height());
}

// A press or release that misses the frame goes to the control under it, as if the handle were
// not there: the first of the parent's children (not a handle) that contains the point, else the
// parent itself.
void TStretchHandle::forward(QMouseEvent* event)
{
    QWidget* parent = parentWidget();
    if (!parent)
        return;
    const QPoint inParent = pos() + event->position().toPoint();
    QWidget* target = parent;
    QPoint local = inParent;
    for (QObject* child : parent->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget || qobject_cast<TStretchHandle*>(widget) || widget == m_outline ||
            !widget->geometry().contains(inParent))
            continue;
        target = widget;
        local = inParent - widget->pos();
        break;
    }
    QMouseEvent forwarded(event->type(), QPointF(local), target->mapToGlobal(QPointF(local)),
                          event->button(), event->buttons(), Qt::NoModifier);
    QApplication::sendEvent(target, &forwarded);
}

void TStretchHandle::drawOutline(QPoint position)
{
    m_dragRect = newFrame(position.x(), position.y());
    if (!m_outline)
        m_outline = new Outline(parentWidget());
    m_outline->show(outline());
}

void TStretchHandle::eraseOutline()
{
    m_dragRect = QRect();
    if (m_outline)
        m_outline->hide();
    if (parentWidget())
        parentWidget()->update();
    update();
}

void TStretchHandle::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const bool one = m_attached.size() == 1;
    const QColor brush = one ? Color : SecondaryColor;
    const auto square = [&](int left, int top) { painter.fillRect(left, top, 5, 5, brush); };
    for (const QPointer<QWidget>& control : std::as_const(m_attached)) {
        if (!control)
            continue;
        const QRect r = grown(control).translated(-pos());
        const int right = r.left() + r.width(); // exclusive edges
        const int bottom = r.top() + r.height();
        square(r.left(), r.top());
        square(right - 5, r.top());
        square(right - 5, bottom - 5);
        square(r.left(), bottom - 5);
        if (!one)
            continue;
        // Halves round to the even neighbour.
        const int mx = r.left() + int(std::nearbyint((right - r.left()) / 2.0));
        const int my = r.top() + int(std::nearbyint((bottom - r.top()) / 2.0));
        square(mx - 2, r.top());
        square(mx - 2, bottom - 5);
        square(r.left(), my - 2);
        square(right - 5, my - 2);
    }
}
