// TStretchHandle (module Handles): grab handles over one or more controls of a design window, with
// which the author moves and sizes them by mouse or arrow keys. A reusable widget that knows
// nothing else of the tool: the designers attach it to the panel the author pressed and read the
// panel's bounds after.
#pragma once

#include <QColor>
#include <QList>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <stdexcept>

// Raised when a handle is asked to frame a window of its own (a form) instead of a control.
class EBadChild : public std::logic_error
{
public:
    EBadChild() : std::logic_error("Handles can not be attached to a Form!") {}
};

class TStretchHandle : public QWidget
{
    Q_OBJECT

public:
    // What a drag does; the numbers are the stored values.
    enum DragStyle : quint8
    {
        Move = 0,
        TopLeft = 1,
        TopRight = 2,
        BottomLeft = 3,
        BottomRight = 4,
        TopMiddle = 5,
        LeftMiddle = 6,
        BottomMiddle = 7,
        RightMiddle = 8,
    };

    explicit TStretchHandle(QWidget* parent = nullptr);
    ~TStretchHandle() override;

    // Frames the control too. Raises EBadChild for a window of its own; a control of another
    // parent than those attached replaces them.
    void Attach(QWidget* control);
    void Detach();
    const QList<QPointer<QWidget>>& attached() const { return m_attached; }

    // Moves and sizes the attached controls by the frame's change, then the frame; nothing while
    // Locked.
    void SetBounds(int left, int top, int width, int height);

    bool Locked = false;
    int GridX = 1; // 1..32
    int GridY = 1;
    QColor Color = Qt::black;                // the squares with one control attached
    QColor SecondaryColor{0x80, 0x80, 0x80}; // the squares with several
    void setColor(const QColor& colour);
    void setSecondaryColor(const QColor& colour);
    bool snapToGrid() const { return GridX >= 2 || GridY >= 2; }
    void setSnapToGrid(bool snap);

    DragStyle dragStyle() const { return m_dragStyle; }
    // The frame a drag to (x, y) of the handle's own coordinates gives.
    QRect newFrame(int x, int y) const;
    // The dotted outline shown while dragging, in the parent's coordinates; empty when none.
    QRect outline() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    class Outline;

    DragStyle hotZone(int x, int y, Qt::CursorShape& cursor) const;
    QPoint clamped(QPoint position) const;
    bool hitsFrame(QPoint inParent) const;
    void forward(QMouseEvent* event);
    void drawOutline(QPoint position);
    void eraseOutline();

    QPoint m_dragOffset;
    DragStyle m_dragStyle = Move;
    bool m_dragging = false;
    QRect m_dragRect; // the frame whose outline is shown, in the parent's coordinates
    QList<QPointer<QWidget>> m_attached;
    QPointer<Outline> m_outline;
};
