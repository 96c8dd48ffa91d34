#include "core/web/webpagefiles.h"

#include "core/epub/epubmedia.h"
#include "core/epub/epubxhtml.h"

#include <QCryptographicHash>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QPainterPath>

const QString kWebContentPolicy =
    QStringLiteral("default-src 'self'; script-src 'self'; style-src 'self' 'unsafe-inline'; "
                   "img-src 'self' data: blob:; media-src 'self' data: blob:; object-src 'none'; "
                   "base-uri 'none'; form-action 'none'");

namespace {

// The player's files, as the build put them into the tool.
const QStringList kPlayerFiles{QStringLiteral("reader.js"), QStringLiteral("reader.css"),
                               QStringLiteral("sw.js")};

QByteArray playerFile(const QString& name)
{
    QFile file(QStringLiteral(":/webreader/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("The web player's %s is not built into this program.", qPrintable(name));
    return file.readAll();
}

QByteArray indexPage(const WebPageBook& book)
{
    return QStringLiteral(
               "<!DOCTYPE html>\n<html lang=\"%1\" dir=\"%2\">\n<head>\n<meta charset=\"utf-8\">\n"
               "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
               "<meta http-equiv=\"Content-Security-Policy\" content=\"%3\">\n"
               "<title>%4</title>\n"
               "<link rel=\"icon\" href=\"icons/icon-192.png\">\n"
               "<link rel=\"stylesheet\" href=\"reader.css\">\n</head>\n<body>\n"
               "<noscript><p>This book needs JavaScript to play its screens.</p></noscript>\n"
               "<main id=\"quorelle\"></main>\n"
               "<script src=\"reader.js\"></script>\n<script src=\"book.js\"></script>\n"
               "</body>\n</html>\n")
        .arg(XmlEscaped(book.language), book.direction, kWebContentPolicy, XmlEscaped(book.title))
        .toUtf8();
}

QByteArray manifest(const WebPageBook& book)
{
    const auto icon = [](int side) {
        return QJsonObject{{QStringLiteral("src"), QStringLiteral("icons/icon-%1.png").arg(side)},
                           {QStringLiteral("sizes"), QStringLiteral("%1x%1").arg(side)},
                           {QStringLiteral("type"), QStringLiteral("image/png")}};
    };
    const QJsonObject data{{QStringLiteral("name"), book.title},
                           {QStringLiteral("short_name"), book.title.left(24)},
                           {QStringLiteral("lang"), book.language},
                           {QStringLiteral("dir"), book.direction},
                           {QStringLiteral("start_url"), QStringLiteral("./index.html")},
                           {QStringLiteral("scope"), QStringLiteral("./")},
                           {QStringLiteral("display"), QStringLiteral("standalone")},
                           {QStringLiteral("background_color"), book.colour},
                           {QStringLiteral("theme_color"), book.colour},
                           {QStringLiteral("icons"), QJsonArray{icon(192), icon(512)}}};
    return QJsonDocument(data).toJson();
}

// A book without an icon gets an open book drawn on a rounded square of its colour.
QImage standardIcon(const QString& colour)
{
    QImage image(512, 512, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(colour));
    painter.drawRoundedRect(QRectF(16, 16, 480, 480), 96, 96);
    painter.setBrush(Qt::white);
    painter.setPen(QPen(QColor(0x33, 0x33, 0x33), 10));
    QPainterPath left;
    left.moveTo(256, 170);
    left.cubicTo(200, 130, 130, 130, 96, 150);
    left.lineTo(96, 370);
    left.cubicTo(130, 350, 200, 350, 256, 390);
    left.closeSubpath();
    painter.drawPath(left);
    painter.drawPath(QTransform(-1, 0, 0, 1, 512, 0).map(left));
    return image;
}

// The icon on a square, as app icons must be.
QByteArray iconPng(const QImage& icon, int side)
{
    QImage square(side, side, QImage::Format_ARGB32_Premultiplied);
    square.fill(Qt::transparent);
    QPainter painter(&square);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QImage scaled = icon.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    painter.drawImage((side - scaled.width()) / 2, (side - scaled.height()) / 2, scaled);
    painter.end();
    return PngBytes(square);
}

} // namespace

QList<WebPageFile> WebPageFiles(const WebPageBook& book)
{
    QList<WebPageFile> files{{QStringLiteral("index.html"), indexPage(book)},
                             {QStringLiteral("manifest.webmanifest"), manifest(book)}};
    for (const QString& name : kPlayerFiles)
        files.append({name, playerFile(name)});
    const QImage icon = book.icon.isNull() ? standardIcon(book.colour) : book.icon;
    for (const int side : {192, 512})
        files.append({QStringLiteral("icons/icon-%1.png").arg(side), iconPng(icon, side)});
    return files;
}

namespace {

// A script or style sheet as the inside of its element: "</" would end the element early, and
// reads the same to JavaScript as "<\/".
QByteArray insidePage(QByteArray text)
{
    return text.replace("</", "<\\/");
}

QString sha256(const QByteArray& text)
{
    return QStringLiteral("'sha256-%1'")
        .arg(QString::fromLatin1(
            QCryptographicHash::hash(text, QCryptographicHash::Sha256).toBase64()));
}

} // namespace

QByteArray WebSinglePage(const WebPageBook& book, const QList<QByteArray>& dataScripts)
{
    // The player first: the data scripts hand it the book.
    QList<QByteArray> scripts{insidePage(playerFile(QStringLiteral("reader.js")))};
    for (const QByteArray& script : dataScripts)
        scripts << insidePage(script);
    // Only the page's own scripts run, each known by its hash.
    QStringList hashes;
    for (const QByteArray& script : std::as_const(scripts))
        hashes << sha256(script);
    const QString policy =
        QStringLiteral("default-src 'none'; script-src %1; style-src 'unsafe-inline'; "
                       "img-src data: blob:; media-src data: blob:; object-src 'none'; "
                       "base-uri 'none'; form-action 'none'")
            .arg(hashes.join(QLatin1Char(' ')));
    QByteArray page =
        QStringLiteral("<!DOCTYPE html>\n<html lang=\"%1\" dir=\"%2\">\n<head>\n"
                       "<meta charset=\"utf-8\">\n<meta name=\"viewport\" "
                       "content=\"width=device-width, initial-scale=1\">\n"
                       "<meta http-equiv=\"Content-Security-Policy\" content=\"%3\">\n"
                       "<title>%4</title>\n<style>\n")
            .arg(XmlEscaped(book.language), book.direction, policy, XmlEscaped(book.title))
            .toUtf8();
    page += insidePage(playerFile(QStringLiteral("reader.css")));
    page += "</style>\n</head>\n<body>\n<noscript><p>This book needs JavaScript to play its "
            "screens.</p></noscript>\n<main id=\"quorelle\" data-single=\"1\"></main>\n";
    for (const QByteArray& script : std::as_const(scripts))
        page += "<script>" + script + "</script>\n";
    return page + "</body>\n</html>\n";
}

QByteArray WebFileList(const QStringList& files, const QByteArray& version)
{
    return "self.QUORELLE_FILES = " +
           QJsonDocument(QJsonArray::fromStringList(files)).toJson(QJsonDocument::Compact) +
           ";\nself.QUORELLE_VERSION = \"" + version + "\";\n";
}
