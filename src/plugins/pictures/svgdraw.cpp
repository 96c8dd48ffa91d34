// SVG drawn into an image through QtSvg: at its own size (200 by 200 when it has none), scaled
// down to the largest side a screen takes.
#include "plugins/pictures/svgdraw.h"

#include <QPainter>
#include <QSvgRenderer>

QImage DrawSvg(const QByteArray& svg, int maxSide, QString& error)
{
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) {
        error = QStringLiteral("the metafile could not be drawn");
        return QImage();
    }
    QSize size = renderer.defaultSize().isValid() ? renderer.defaultSize() : QSize(200, 200);
    if (size.width() > maxSide || size.height() > maxSide)
        size.scale(maxSide, maxSide, Qt::KeepAspectRatio);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}
