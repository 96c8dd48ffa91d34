// Reading the book's web pages for the EPUB.
#include "core/epub/epubwebpage.h"

#include "core/files/filestore.h"
#include "core/files/projectpath.h"
#include "core/files/textcodec.h"
#include "core/pictures/pictures.h"

#include <QFont>
#include <QSet>
#include <QUrl>
#include <QVariant>

namespace {

// A page document that loads nothing but the book's own pictures.
class BookPageDocument : public QTextDocument
{
protected:
    QVariant loadResource(int type, const QUrl& name) override
    {
        const QString file = name.toString();
        if (type != QTextDocument::ImageResource || !name.scheme().isEmpty() ||
            !IsBookFileName(file))
            return {};
        const LoadedPicture picture = LoadPicture(file);
        return picture.image.isNull() ? QVariant() : QVariant(picture.image);
    }
};

// Elements that never hold others, or that HTML closes when the next one starts.
bool nests(const QString& tag)
{
    static const QSet<QString> flat{
        QStringLiteral("area"),  QStringLiteral("base"),  QStringLiteral("br"),
        QStringLiteral("col"),   QStringLiteral("embed"), QStringLiteral("hr"),
        QStringLiteral("img"),   QStringLiteral("input"), QStringLiteral("link"),
        QStringLiteral("meta"),  QStringLiteral("param"), QStringLiteral("source"),
        QStringLiteral("track"), QStringLiteral("wbr"),   QStringLiteral("p"),
        QStringLiteral("li"),    QStringLiteral("dt"),    QStringLiteral("dd"),
        QStringLiteral("tr"),    QStringLiteral("td"),    QStringLiteral("th"),
        QStringLiteral("option")};
    return !flat.contains(tag);
}

} // namespace

int NestingDepth(const QString& html)
{
    int depth = 0;
    int deepest = 0;
    for (qsizetype at = html.indexOf(u'<'); at >= 0 && at + 1 < html.size();
         at = html.indexOf(u'<', at + 1)) {
        const QChar next = html.at(at + 1);
        if (next == u'/') {
            depth = std::max(0, depth - 1);
            continue;
        }
        if (!next.isLetter())
            continue; // a comment, a declaration or a lone "<"
        qsizetype end = at + 1;
        while (end < html.size() && html.at(end).isLetterOrNumber())
            ++end;
        const qsizetype close = html.indexOf(u'>', end);
        const bool selfClosing = close > 0 && html.at(close - 1) == u'/';
        if (!selfClosing && nests(html.mid(at + 1, end - at - 1).toLower()))
            deepest = std::max(deepest, ++depth);
    }
    return deepest;
}

WebPage ReadWebPage(const QString& name)
{
    const QByteArray bytes = filestore::readAll(name);
    if (bytes.size() > kMaxWebPageSize)
        return {nullptr, QStringLiteral("The web page %1 is larger than %2 MB; it is not carried "
                                        "over.")
                             .arg(name)
                             .arg(kMaxWebPageSize / (1024 * 1024))};
    const QString html = textcodec::decodeOutsideText(bytes);
    // Laying out nested elements costs time that grows with the square of their depth.
    if (NestingDepth(html) > kMaxWebPageDepth)
        return {nullptr, QStringLiteral("The web page %1 nests its elements more than %2 deep; it "
                                        "is not carried over.")
                             .arg(name)
                             .arg(kMaxWebPageDepth)};
    auto document = std::make_unique<BookPageDocument>();
    // Headings are sized from the default font, which needs a size of its own without a screen.
    document->setDefaultFont(QFont(QStringLiteral("serif"), 12));
    document->setHtml(html);
    return {std::move(document), {}};
}

bool IsEpubLinkAddress(const QString& address)
{
    const QString scheme = QUrl(address).scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
           scheme == QLatin1String("mailto");
}
