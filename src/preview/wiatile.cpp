// The tile control (module wiaTile).
#include "preview/wiatile.h"

#include <QPainter>

TwiaTile::TwiaTile(QWidget* parent) : QWidget(parent)
{
    setGeometry(0, 0, 64, 64);
}

void TwiaTile::setImage(const QImage& image)
{
    m_image = image;
    pictureChanged();
}

bool TwiaTile::loadImage(const QString& fileName)
{
    QImage image;
    if (!image.load(fileName))
        return false;
    setImage(image);
    return true;
}

void TwiaTile::setTransparent(bool transparent)
{
    if (transparent == m_transparent)
        return;
    m_transparent = transparent;
    pictureChanged();
}

void TwiaTile::pictureChanged()
{
    m_drawn = m_image;
    if (!m_image.isNull()) {
        // A monochrome picture is transparent on white, any other on its bottom-left pixel.
        const bool mono = m_image.depth() == 1;
        m_tranColor = mono ? qRgb(255, 255, 255) : m_image.pixel(0, m_image.height() - 1);
        if (m_transparent) {
            m_drawn = m_image.convertToFormat(QImage::Format_ARGB32);
            for (int y = 0; y < m_drawn.height(); ++y) {
                auto* line = reinterpret_cast<QRgb*>(m_drawn.scanLine(y));
                for (int x = 0; x < m_drawn.width(); ++x) {
                    if ((line[x] & 0xFFFFFF) == (m_tranColor & 0xFFFFFF))
                        line[x] = 0;
                }
            }
        }
    }
    update();
}

QList<QRect> TwiaTile::tileRects() const
{
    QList<QRect> tiles;
    const int w = m_image.width();
    const int h = m_image.height();
    if (w <= 0 || h <= 0)
        return tiles;
    for (int y = 0; y < height(); y += h) {
        for (int x = 0; x < width(); x += w)
            tiles.append(QRect(x, y, w, h));
    }
    return tiles;
}

void TwiaTile::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    for (const QRect& tile : tileRects())
        painter.drawImage(tile.topLeft(), m_drawn);
}
