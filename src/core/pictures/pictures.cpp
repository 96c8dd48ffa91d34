// Picture loading by content: JPEG and metafile signatures are recognised whatever the name says.
#include "core/pictures/pictures.h"

#include "core/files/projectpath.h"
#include "core/pictures/pictureplugin.h"
#include "core/pictures/wmfrender.h"
#include "format/reader/picturefile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace {

using bookformat::kMaxPictureFile;
constexpr int kMaxSide = bookformat::kMaxPictureSide;

QImage renderMetafile(const PictureDecoders& decoders, const QByteArray& data, QString& error)
{
    std::string svg;
    std::string reason;
    if (!RenderWmfToSvg(reinterpret_cast<const unsigned char*>(data.constData()), long(data.size()),
                        svg, reason)) {
        error = QString::fromStdString(reason);
        return QImage();
    }
    return decoders.drawSvg(QByteArray::fromStdString(svg), kMaxSide, error);
}

// A JPEG or a metafile through the pictures plugin; a null image, and `unavailable` set, when
// the plugin cannot be loaded.
QImage decodeThroughPlugin(bookformat::PictureKind kind, const QByteArray& data, QString& reason,
                           QString& unavailable)
{
    const PictureDecoders* decoders = PictureDecodersPlugin(unavailable);
    if (!decoders)
        return QImage();
    return kind == bookformat::PictureKind::Jpeg ? decoders->decodeJpeg(data, reason)
                                                 : renderMetafile(*decoders, data, reason);
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
    QString unavailable;
    if (kind == bookformat::PictureKind::Jpeg || kind == bookformat::PictureKind::Metafile) {
        result.image = decodeThroughPlugin(kind, data, reason, unavailable);
        result.jpeg = kind == bookformat::PictureKind::Jpeg;
    } else {
        QBuffer buffer;
        buffer.setData(data);
        QImageReader reader(&buffer); // BMP and ICO; Qt refuses what exceeds its allocation limit
        const QSize claimed = reader.size();
        if (claimed.isValid() &&
            qint64(claimed.width()) * claimed.height() <= qint64(kMaxSide) * kMaxSide)
            result.image = reader.read();
    }
    if (!unavailable.isEmpty()) {
        result.error =
            QStringLiteral("The picture file %1 could not be shown: %2.").arg(name, unavailable);
    } else if (result.image.isNull()) {
        result.error =
            QString::fromStdString(bookformat::PictureDamagedMessage(name.toStdString()));
    }
    return result;
}
