// TwiaTile (module wiaTile): paints a picture as wallpaper, repeated from the top-left corner and
// clipped at the right and bottom edges, optionally leaving out the picture's transparent colour.
#pragma once

#include <QImage>
#include <QList>
#include <QRect>
#include <QWidget>

class TwiaTile : public QWidget
{
    Q_OBJECT

public:
    explicit TwiaTile(QWidget* parent = nullptr);

    const QImage& Image() const { return m_image; }
    void setImage(const QImage& image); // a null image empties the picture
    bool loadImage(const QString& fileName);

    bool Transparent() const { return m_transparent; }
    void setTransparent(bool transparent);
    QRgb TranColor() const { return m_tranColor; }

    // Where the tiles go, in the control's coordinates, before clipping.
    QList<QRect> tileRects() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void pictureChanged();

    QImage m_image;
    QImage m_drawn; // the picture with its transparent colour cut out when Transparent is on
    bool m_transparent = false;
    QRgb m_tranColor = 0;
};
