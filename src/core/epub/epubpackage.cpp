// Writing the EPUB container.
#include "core/epub/epubpackage.h"

#include "core/epub/epubxhtml.h"

#include <QBuffer>
#include <QDateTime>

namespace {

const QByteArray kContainer =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<container version=\"1.0\" xmlns=\"urn:oasis:names:tc:opendocument:xmlns:container\">\n"
    "<rootfiles>\n<rootfile full-path=\"EPUB/package.opf\" "
    "media-type=\"application/oebps-package+xml\"/>\n</rootfiles>\n</container>\n";

} // namespace

void EpubPackage::add(const EpubItem& item)
{
    m_items << PackedItem{item.id, item.href, item.mediaType, item.properties,
                          ZipWriter::pack(item.bytes, item.compress ? ZipWriter::Method::Deflated
                                                                    : ZipWriter::Method::Stored)};
}

void EpubPackage::read(const QString& id, bool linear)
{
    m_spine << SpineEntry{id, linear};
}

void EpubPackage::readAt(qsizetype position, const QString& id)
{
    m_spine.insert(position, SpineEntry{id, true});
}

QString EpubPackage::freeHref(const QString& folder, QString base, const QString& suffix)
{
    for (QChar& c : base) {
        if (!(c.unicode() < 128 && (c.isLetterOrNumber() || c == u'-' || c == u'_')))
            c = u'_';
    }
    QString href = folder + base + QLatin1Char('.') + suffix;
    for (int n = 2; m_usedHrefs.contains(href.toLower()); ++n)
        href = folder + base + QStringLiteral("-%1.").arg(n) + suffix;
    m_usedHrefs.insert(href.toLower());
    return href;
}

QByteArray EpubPackage::packageDocument(const EpubMetadata& metadata) const
{
    QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                  "<package xmlns=\"http://www.idpf.org/2007/opf\" version=\"3.0\" "
                                  "unique-identifier=\"book-id\" xml:lang=\"%1\">\n"
                                  "<metadata xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n"
                                  "<dc:identifier id=\"book-id\">%2</dc:identifier>\n"
                                  "<dc:title>%3</dc:title>\n<dc:language>%1</dc:language>\n")
                       .arg(XmlEscaped(metadata.language), XmlEscaped(metadata.identifier),
                            XmlEscaped(metadata.title));
    if (!metadata.creator.isEmpty())
        text += QStringLiteral("<dc:creator>%1</dc:creator>\n").arg(XmlEscaped(metadata.creator));
    text += metadata.accessibility;
    text +=
        QStringLiteral("<meta property=\"dcterms:modified\">%1</meta>\n</metadata>\n<manifest>\n")
            .arg(QDateTime::currentDateTimeUtc().toString(
                QStringLiteral("yyyy-MM-dd'T'hh:mm:ss'Z'")));
    for (const PackedItem& item : m_items) {
        text += QStringLiteral("<item id=\"%1\" href=\"%2\" media-type=\"%3\"")
                    .arg(item.id, XmlEscaped(item.href), item.mediaType);
        if (!item.properties.isEmpty())
            text += QStringLiteral(" properties=\"%1\"").arg(item.properties);
        text += QStringLiteral("/>\n");
    }
    text += QStringLiteral("</manifest>\n<spine>\n");
    for (const SpineEntry& entry : m_spine)
        text += QStringLiteral("<itemref idref=\"%1\"%2/>\n")
                    .arg(entry.id, entry.linear ? QString() : QStringLiteral(" linear=\"no\""));
    text += QStringLiteral("</spine>\n</package>\n");
    return text.toUtf8();
}

QByteArray EpubPackage::archive(const EpubMetadata& metadata) const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ZipWriter zip(buffer);
    bool written =
        zip.add(QStringLiteral("mimetype"), "application/epub+zip", ZipWriter::Method::Stored) &&
        zip.add(QStringLiteral("META-INF/container.xml"), kContainer) &&
        zip.add(QStringLiteral("EPUB/package.opf"), packageDocument(metadata));
    for (const PackedItem& item : m_items)
        written = written && zip.add(QStringLiteral("EPUB/") + item.href, item.packed);
    return written && zip.finish() ? bytes : QByteArray();
}

QString XhtmlHead(const QString& title, const QString& language)
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE html>\n"
                          "<html xmlns=\"http://www.w3.org/1999/xhtml\" "
                          "xmlns:epub=\"http://www.idpf.org/2007/ops\" xml:lang=\"%1\" "
                          "lang=\"%1\">\n<head>\n<meta charset=\"UTF-8\"/>\n<title>%2</title>\n"
                          "<link rel=\"stylesheet\" type=\"text/css\" href=\"style.css\"/>\n"
                          "</head>\n<body>\n")
        .arg(XmlEscaped(language), XmlEscaped(title));
}

QByteArray XhtmlPage(const QString& title, const QString& language, const QString& body)
{
    return (XhtmlHead(title, language) + body + kXhtmlEnd).toUtf8();
}

QByteArray EpubStyleSheet()
{
    return "@namespace epub \"http://www.idpf.org/2007/ops\";\n"
           "body { margin: 1em 4%; }\n"
           "p { margin: 0; }\n"
           "img { max-width: 100%; height: auto; }\n"
           ".title-page { text-align: center; margin-top: 15%; }\n"
           ".title-page h1 { font-size: 1.8em; margin-bottom: 1em; }\n"
           ".title-page p { margin: 0.3em 0; }\n"
           ".title-page .title-bar { font-size: 1.2em; margin-bottom: 1.5em; }\n"
           ".picture { text-align: center; margin: 1em 0; }\n"
           ".note { font-style: italic; margin: 1em 0; }\n"
           ".description { margin: 0.5em 0 1em; }\n"
           ".back { margin-top: 2em; }\n"
           "aside[epub|type~=\"footnote\"] { font-size: 0.9em; margin-top: 2em; padding-top: "
           "0.5em;\n"
           "  border-top: 1px solid #999; }\n";
}
