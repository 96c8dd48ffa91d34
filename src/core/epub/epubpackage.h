// The EPUB container: the publication's files with their manifest entries, the reading order,
// the package document, and the ZIP archive that reading systems open (the mimetype entry first
// and stored, then META-INF/container.xml pointing at EPUB/package.opf).
#pragma once

#include "core/epub/zipwriter.h"

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>

struct EpubMetadata
{
    QString identifier; // a URN
    QString title;
    QString creator;       // may be empty
    QString language;      // a BCP 47 tag: the book's language
    QString accessibility; // <meta> elements, one per line
};

struct EpubItem
{
    QString id;
    QString href; // relative to the package document, in EPUB/
    QString mediaType;
    QString properties;
    QByteArray bytes;
    bool compress = true; // pictures, sounds and films are compressed already
};

class EpubPackage
{
public:
    // Keeps the item's bytes packed as the archive will hold them, so that a large book is never
    // held whole in memory.
    void add(const EpubItem& item);
    // Appends a content document to the reading order; a non-linear one is reached only by links.
    void read(const QString& id, bool linear = true);
    // Puts a content document into the reading order at `position`.
    void readAt(qsizetype position, const QString& id);

    // A file name under EPUB/ that no other item has, of letters, digits, "_" and "-" only, so
    // that it needs no escaping as a URL.
    QString freeHref(const QString& folder, QString base, const QString& suffix);

    // The whole archive; empty when it would be larger than the archive can hold (4 GiB).
    QByteArray archive(const EpubMetadata& metadata) const;

private:
    QByteArray packageDocument(const EpubMetadata& metadata) const;

    struct SpineEntry
    {
        QString id;
        bool linear;
    };
    struct PackedItem
    {
        QString id;
        QString href;
        QString mediaType;
        QString properties;
        ZipWriter::Packed packed;
    };

    QList<PackedItem> m_items;
    QList<SpineEntry> m_spine;
    QSet<QString> m_usedHrefs;
};

// The start of a content document in the book's language, up to its body's content, and its end.
QString XhtmlHead(const QString& title, const QString& language);
inline const QString kXhtmlEnd = QStringLiteral("</body>\n</html>\n");
// A whole content document, as UTF-8.
QByteArray XhtmlPage(const QString& title, const QString& language, const QString& body);

// The publication's style sheet, style.css.
QByteArray EpubStyleSheet();
