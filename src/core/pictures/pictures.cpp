// Picture loading by content: JPEG and metafile signatures are recognised whatever the name says.
#include "core/pictures/pictures.h"

#include "core/files/projectpath.h"
#include "core/pictures/jpegdecode.h"
#include "core/pictures/wmfrender.h"
#include "format/picturefile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

namespace {

using bookformat::kMaxPictureFile;
constexpr int kMaxSide = bookformat::kMaxPictureSide;

QImage renderMetafile(const QByteArray& data, QString& error)
{
    std::string svg;
    std::string reason;
    if (!RenderWmfToSvg(reinterpret_cast<const unsigned char*>(data.constData()), long(data.size()),
                        svg, reason)) {
        error = QString::fromStdString(reason);
        return QImage();
    }
    QSvgRenderer renderer(QByteArray::fromStdString(svg));
    if (!renderer.isValid()) {
        error = QStringLiteral("the metafile could not be drawn");
        return QImage();
    }
    QSize size = renderer.defaultSize().isValid() ? renderer.defaultSize() : QSize(200, 200);
    if (size.width() > kMaxSide || size.height() > kMaxSide)
        size.scale(kMaxSide, kMaxSide, Qt::KeepAspectRatio);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

} // namespace

LoadedPicture LoadPicture(const QString& fileName)
{
    LoadedPicture result;
    const QString name = QFileInfo(fileName).fileName();
    QFile file(ResolveProjectName(fileName));
    // Only a regular file of a sensible size is read: not a device, a pipe or a folder.
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly)) {
        result.error =
            QString::fromStdString(bookformat::PictureNotOpenedMessage(name.toStdString()));
        return result;
    }
    const QByteArray data =
        file.size() <= kMaxPictureFile ? file.read(kMaxPictureFile) : QByteArray();
    QString reason;
    const auto kind =
        bookformat::SniffPicture(std::string_view(data.constData(), std::size_t(data.size())));
    if (kind == bookformat::PictureKind::Jpeg) {
        result.image = DecodeJpeg(data, reason);
        result.jpeg = true;
    } else if (kind == bookformat::PictureKind::Metafile) {
        result.image = renderMetafile(data, reason);
    } else {
        QBuffer buffer;
        buffer.setData(data);
        QImageReader reader(&buffer); // BMP and ICO; Qt refuses what exceeds its allocation limit
        const QSize claimed = reader.size();
        if (claimed.isValid() &&
            qint64(claimed.width()) * claimed.height() <= qint64(kMaxSide) * kMaxSide)
            result.image = reader.read();
    }
    if (result.image.isNull()) {
        result.error =
            QString::fromStdString(bookformat::PictureDamagedMessage(name.toStdString()));
    }
    return result;
}
