// Assembling the EPUB package: the documents, the media, the package document and the archive.
#include "core/book/epubexport.h"

#include "core/book/booksource.h"
#include "core/book/epubmedia.h"
#include "core/book/epubxhtml.h"
#include "core/book/readerlibraries.h"
#include "core/files/filenames.h"
#include "core/files/filestore.h"
#include "core/files/projectpath.h"
#include "core/files/runtimeerror.h"
#include "core/files/textcodec.h"
#include "core/files/zipwriter.h"
#include "core/pictures/commandvalue.h"
#include "core/richtext/rtfreader.h"
#include "core/sections/displaysection.h"
#include "core/sections/hypertext.h"
#include "core/services/messages.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QSaveFile>
#include <QScopeGuard>
#include <QSet>
#include <QTextDocument>
#include <QThread>
#include <QUuid>

#include <future>
#include <memory>

namespace {

const QString kLanguage = QStringLiteral("en");

// Raised after the message, to leave the export with nothing written.
struct ExportStopped
{};

struct PackageItem
{
    QString id;
    QString href; // relative to the package document
    QString mediaType;
    QString properties;
    QByteArray bytes;
    bool compress = true;
};

// The start of a content document, up to its body's content.
QString xhtmlHead(const QString& title)
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE html>\n"
                          "<html xmlns=\"http://www.w3.org/1999/xhtml\" "
                          "xmlns:epub=\"http://www.idpf.org/2007/ops\" xml:lang=\"%1\" "
                          "lang=\"%1\">\n<head>\n<meta charset=\"UTF-8\"/>\n<title>%2</title>\n"
                          "<link rel=\"stylesheet\" type=\"text/css\" href=\"style.css\"/>\n"
                          "</head>\n<body>\n")
        .arg(kLanguage, XmlEscaped(title));
}

const QString kXhtmlEnd = QStringLiteral("</body>\n</html>\n");

QByteArray xhtmlPage(const QString& title, const QString& body)
{
    return (xhtmlHead(title) + body + kXhtmlEnd).toUtf8();
}

const QByteArray kStyleSheet =
    "@namespace epub \"http://www.idpf.org/2007/ops\";\n"
    "body { margin: 1em 4%; }\n"
    "p { margin: 0; }\n"
    "img { max-width: 100%; height: auto; }\n"
    ".title-page { text-align: center; margin-top: 15%; }\n"
    ".title-page h1 { font-size: 1.8em; margin-bottom: 1em; }\n"
    ".title-page p { margin: 0.3em 0; }\n"
    ".title-page .title-bar { font-size: 1.2em; margin-bottom: 1.5em; }\n"
    ".picture { text-align: center; margin: 1em 0; }\n"
    ".note { font-style: italic; margin: 1em 0; }\n"
    ".back { margin-top: 2em; }\n"
    "aside[epub|type~=\"footnote\"] { font-size: 0.9em; margin-top: 2em; padding-top: 0.5em;\n"
    "  border-top: 1px solid #999; }\n";

const QByteArray kContainer =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<container version=\"1.0\" xmlns=\"urn:oasis:names:tc:opendocument:xmlns:container\">\n"
    "<rootfiles>\n<rootfile full-path=\"EPUB/package.opf\" "
    "media-type=\"application/oebps-package+xml\"/>\n</rootfiles>\n</container>\n";

QString commandValue(const QStringList& lines)
{
    return lines.size() > 3 ? lines.at(3).mid(lines.at(3).indexOf(QLatin1Char('=')) + 1)
                            : QString();
}

QString firstWord(const QString& value, QChar separator)
{
    const qsizetype at = value.indexOf(separator);
    return at < 0 ? value : value.left(at);
}

class EpubBook
{
public:
    EpubBook(WorkingState& state) : m_state(state), m_source(state) {}

    QByteArray build()
    {
        addTitlePage();
        addChapters();
        addItem({QStringLiteral("nav"), QStringLiteral("nav.xhtml"),
                 QStringLiteral("application/xhtml+xml"), QStringLiteral("nav"), navigation()});
        m_spine.insert(1, QStringLiteral("nav"));
        addItem({QStringLiteral("style"),
                 QStringLiteral("style.css"),
                 QStringLiteral("text/css"),
                 {},
                 kStyleSheet});
        return archive();
    }

    QStringList notCarried() const { return m_notCarried; }

private:
    // --- the package ---------------------------------------------------------------------

    void addItem(PackageItem item) { m_items << std::move(item); }

    QString nextId(const QString& kind)
    {
        return kind + QLatin1Char('-') + QString::number(++m_ids);
    }

    // A file name under EPUB/ that no other item has, of letters, digits, "_" and "-" only, so
    // that it needs no escaping as a URL.
    QString freeHref(const QString& folder, QString base, const QString& suffix)
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

    QString title() const
    {
        const QString bookTitle = m_source.project().Config.BookTitle.text().trimmed();
        return bookTitle.isEmpty() ? BaseName(m_state.ProjectFile) : bookTitle;
    }

    QString author() const
    {
        const AboutRecord& about = m_source.project().Presentation.About;
        return about.AuthorText.text().trimmed();
    }

    QString packageDocument() const
    {
        const QString id =
            QUuid::createUuidV5(QUuid(QStringLiteral("{6f1c8a52-8d5e-4c57-9f2b-3a1d5e7c9b40}")),
                                m_state.ProjectFile + QLatin1Char('/') + title())
                .toString(QUuid::WithoutBraces);
        QString metadata =
            QStringLiteral("<dc:identifier id=\"book-id\">urn:uuid:%1</dc:identifier>\n"
                           "<dc:title>%2</dc:title>\n<dc:language>%3</dc:language>\n")
                .arg(id, XmlEscaped(title()), kLanguage);
        if (!author().isEmpty())
            metadata += QStringLiteral("<dc:creator>%1</dc:creator>\n").arg(XmlEscaped(author()));
        metadata += QStringLiteral("<meta property=\"dcterms:modified\">%1</meta>\n")
                        .arg(QDateTime::currentDateTimeUtc().toString(
                            QStringLiteral("yyyy-MM-dd'T'hh:mm:ss'Z'")));
        QString manifest;
        for (const PackageItem& item : m_items) {
            manifest += QStringLiteral("<item id=\"%1\" href=\"%2\" media-type=\"%3\"")
                            .arg(item.id, XmlEscaped(item.href), item.mediaType);
            if (!item.properties.isEmpty())
                manifest += QStringLiteral(" properties=\"%1\"").arg(item.properties);
            manifest += QStringLiteral("/>\n");
        }
        QString spine;
        for (const QString& id : m_spine)
            spine += QStringLiteral("<itemref idref=\"%1\"/>\n").arg(id);
        for (const QString& id : m_asidePages)
            spine += QStringLiteral("<itemref idref=\"%1\" linear=\"no\"/>\n").arg(id);
        return QStringLiteral(
                   "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                   "<package xmlns=\"http://www.idpf.org/2007/opf\" version=\"3.0\" "
                   "unique-identifier=\"book-id\" xml:lang=\"%1\">\n"
                   "<metadata xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n%2</metadata>\n"
                   "<manifest>\n%3</manifest>\n<spine>\n%4</spine>\n</package>\n")
            .arg(kLanguage, metadata, manifest, spine);
    }

    QByteArray archive() const
    {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        ZipWriter zip(buffer);
        zip.add(QStringLiteral("mimetype"), "application/epub+zip", ZipWriter::Method::Stored);
        zip.add(QStringLiteral("META-INF/container.xml"), kContainer);
        zip.add(QStringLiteral("EPUB/package.opf"), packageDocument().toUtf8());
        for (const PackageItem& item : m_items)
            zip.add(QStringLiteral("EPUB/") + item.href, item.bytes,
                    item.compress ? ZipWriter::Method::Deflated : ZipWriter::Method::Stored);
        zip.finish();
        return bytes;
    }

    // --- the title page and the navigation -----------------------------------------------

    void addTitlePage()
    {
        const MenuRecord& menu = m_source.project().Menu;
        QString body = QStringLiteral("<section class=\"title-page\" epub:type=\"titlepage\">\n");
        body += QStringLiteral("<h1>%1</h1>\n").arg(XmlEscaped(title()));
        const QString titleBar = menu.MenuBars.TitleText.text().trimmed();
        if (!titleBar.isEmpty() && titleBar != title())
            body += QStringLiteral("<p class=\"title-bar\">%1</p>\n").arg(XmlEscaped(titleBar));
        const QString picture = menu.MenuDisplay.GraphicFile.text();
        if (IsBackground(menu.MenuDisplay.BackType, BackgroundType::Picture) && !picture.isEmpty())
            body += QStringLiteral("<p class=\"picture\"><img src=\"%1\" alt=\"\"/></p>\n")
                        .arg(XmlEscaped(mediaHref(picture, QStringLiteral("The table of contents"),
                                                  QStringLiteral("cover-image"))));
        if (menu.UseAuthorBox) {
            const AuthorRecord& a = menu.Author;
            for (const auto* line : {&a.AuthorLine1, &a.AuthorLine2, &a.AuthorLine3, &a.AuthorLine4,
                                     &a.AuthorLine5, &a.AuthorLine6}) {
                if (!line->text().trimmed().isEmpty())
                    body += QStringLiteral("<p>%1</p>\n").arg(XmlEscaped(line->text()));
            }
        }
        body += QStringLiteral("</section>\n");
        addItem({QStringLiteral("title-page"),
                 QStringLiteral("title.xhtml"),
                 QStringLiteral("application/xhtml+xml"),
                 {},
                 xhtmlPage(title(), body)});
        m_spine << QStringLiteral("title-page");
    }

    QByteArray navigation() const
    {
        QString list;
        for (const auto& [href, entry] : m_chapterLinks)
            list += QStringLiteral("<li><a href=\"%1\">%2</a></li>\n")
                        .arg(href, XmlEscaped(entry.isEmpty() ? href : entry));
        const QString first =
            m_chapterLinks.isEmpty() ? QStringLiteral("title.xhtml") : m_chapterLinks.first().first;
        const QString body =
            QStringLiteral(
                "<nav epub:type=\"toc\" id=\"toc\">\n<h1>%1</h1>\n<ol>\n%2</ol>\n</nav>\n"
                "<nav epub:type=\"landmarks\" hidden=\"hidden\">\n<ol>\n"
                "<li><a epub:type=\"toc\" href=\"#toc\">%1</a></li>\n"
                "<li><a epub:type=\"bodymatter\" href=\"%3\">%4</a></li>\n"
                "</ol>\n</nav>\n")
                .arg(QStringLiteral("Contents"), list, first, XmlEscaped(title()));
        return xhtmlPage(title(), body);
    }

    // --- chapters ------------------------------------------------------------------------

    // Reading a chapter's rich text costs about as much as writing it out again, so the next
    // chapter is read on another core meanwhile.
    void addChapters()
    {
        const QStringList entries = m_source.menuEntries();
        if (entries.isEmpty()) {
            ShowError(QStringLiteral("The E-Book has no chapters."));
            throw ExportStopped{};
        }
        std::future<Chapter> next;
        next = readAhead(0);
        for (int i = 0; i < entries.size(); ++i) {
            Chapter chapter = next.get();
            if (i + 1 < entries.size())
                next = readAhead(i + 1);
            addChapter(i + 1, chapter);
        }
    }

    struct Chapter
    {
        ChapterRecord record;
        std::unique_ptr<QTextDocument> document;
    };

    std::future<Chapter> readAhead(int index)
    {
        Chapter chapter{m_source.chapter(index), nullptr};
        const QByteArray text = m_source.chapterText(chapter.record.ChapterFile.text());
        QThread* const here = QThread::currentThread();
        return std::async(std::launch::async, [chapter = std::move(chapter), text, here]() mutable {
            chapter.document = std::make_unique<QTextDocument>();
            ReadRtf(text, *chapter.document);
            chapter.document->moveToThread(here);
            return std::move(chapter);
        });
    }

    void addChapter(int number, const Chapter& chapter)
    {
        m_chapterHref = QStringLiteral("chapter-%1.xhtml").arg(number);
        m_notes.clear();
        m_noteBodies.clear();
        const QString entry = chapter.record.MenuEntry.text();
        QString page = xhtmlHead(entry);
        page += QStringLiteral("<section epub:type=\"chapter\">\n");
        AppendXhtml(*chapter.document, chapterHooks(), page);
        page += m_noteBodies;
        page += QStringLiteral("</section>\n");
        page += kXhtmlEnd;
        const QString id = QStringLiteral("chapter-%1").arg(number);
        addItem({id, m_chapterHref, QStringLiteral("application/xhtml+xml"), {}, page.toUtf8()});
        m_spine << id;
        m_chapterLinks.append({m_chapterHref, entry});
    }

    XhtmlHooks chapterHooks()
    {
        XhtmlHooks hooks;
        hooks.picture = [this](const QImage& image) { return addTextPicture(image); };
        hooks.link = [this](const QString& phrase) { return linkFor(phrase); };
        return hooks;
    }

    XhtmlHooks textHooks()
    {
        XhtmlHooks hooks;
        hooks.picture = [this](const QImage& image) { return addTextPicture(image); };
        return hooks;
    }

    QString addTextPicture(const QImage& image)
    {
        const QString href =
            freeHref(QStringLiteral("media/"), QStringLiteral("picture"), QStringLiteral("png"));
        addItem({nextId(QStringLiteral("picture")),
                 href,
                 QStringLiteral("image/png"),
                 {},
                 PngBytes(image),
                 false});
        return href;
    }

    // --- HyperText links -----------------------------------------------------------------

    XhtmlLink linkFor(const QString& phrase)
    {
        QStringList lines;
        if (phrase.isEmpty() || !m_source.hyperEntry(phrase, lines))
            return {};
        const HyperTextType type = EntryType(lines);
        const QString value = commandValue(lines);
        if (type == HyperTextType::TextOnly)
            return footnote(phrase, lines);
        if (type == HyperTextType::HtmlFile && IsWebAddress(value))
            return {value, false, {}};
        if (type == HyperTextType::None)
            return {};
        const QString key = phrase.toLower();
        if (const auto page = m_pages.constFind(key); page != m_pages.constEnd())
            return {*page, false, {}};
        const QString ref = QStringLiteral("ref-%1").arg(++m_refs);
        const QString href = freeHref({}, QStringLiteral("link-%1").arg(m_pages.size() + 1),
                                      QStringLiteral("xhtml"));
        m_pages.insert(key, href);
        addLinkPage(href, phrase, type, lines, m_chapterHref + QLatin1Char('#') + ref);
        return {href, false, ref};
    }

    XhtmlLink footnote(const QString& phrase, const QStringList& lines)
    {
        const QString key = phrase.toLower();
        if (!m_notes.contains(key)) {
            const QString id = QStringLiteral("note-%1").arg(++m_noteCount);
            m_notes.insert(key, id);
            m_noteBodies += QStringLiteral("<aside epub:type=\"footnote\" id=\"%1\">\n%2</aside>\n")
                                .arg(id, displayText(lines));
        }
        return {QLatin1Char('#') + m_notes.value(key), true, {}};
    }

    // The rich text of a display entry (pop-up text, picture and text).
    QString displayText(const QStringList& lines)
    {
        DisplayRecord display = DefaultDisplay();
        QStringList text;
        ParseDisplayEntry(lines, display, text);
        QTextDocument document;
        ReadRtf(RtfFromLines(text), document);
        return DocumentToXhtml(document, textHooks());
    }

    void addLinkPage(const QString& href, const QString& phrase, HyperTextType type,
                     const QStringList& lines, const QString& back)
    {
        const QString owner = QStringLiteral("The HyperText entry \"%1\"").arg(phrase);
        QString body = QStringLiteral("<h1>%1</h1>\n").arg(XmlEscaped(phrase));
        body += linkPageContent(type, lines, owner);
        body +=
            QStringLiteral("<p class=\"back\"><a href=\"%1\">Back</a></p>\n").arg(XmlEscaped(back));
        const QString id = QFileInfo(href).completeBaseName();
        addItem({id, href, QStringLiteral("application/xhtml+xml"), {}, xhtmlPage(phrase, body)});
        m_asidePages << id;
    }

    QString linkPageContent(HyperTextType type, const QStringList& lines, const QString& owner)
    {
        const QString value = commandValue(lines);
        const ShowCommandParts parts = ParseShowCommand(value);
        switch (type) {
        case HyperTextType::GraphicAndText:
            return graphicAndText(lines, owner);
        case HyperTextType::GraphicOnly:
            return pictureElement(parts.picture, owner);
        case HyperTextType::GraphicAndSound:
            return pictureElement(parts.picture, owner) + audioElement(parts.sound, owner);
        case HyperTextType::VoiceOnly:
        case HyperTextType::MidiPlayer:
            return audioElement(parts.sound, owner);
        case HyperTextType::VideoPlayer:
            return videoElement(parts.video, owner);
        case HyperTextType::HtmlFile:
            return webPage(value, owner);
        case HyperTextType::ExecutableProgram:
        case HyperTextType::WindowsProgram:
            return programNote(type, value);
        case HyperTextType::NotePad:
            notCarried(
                QStringLiteral("Notepad files: the EPUB cannot open the notepad; their links "
                               "lead to a note."));
            return note(QStringLiteral("This link opens the notepad with %1 in the executable "
                                       "edition of this book.")
                            .arg(value));
        case HyperTextType::None:
        case HyperTextType::TextOnly:
            break;
        }
        return {};
    }

    QString graphicAndText(const QStringList& lines, const QString& owner)
    {
        DisplayRecord display = DefaultDisplay();
        QStringList text;
        ParseDisplayEntry(lines, display, text);
        QString content;
        if (!display.GraphicFile.text().isEmpty())
            content += pictureElement(display.GraphicFile.text(), owner);
        return content + displayText(lines);
    }

    QString programNote(HyperTextType type, const QString& value)
    {
        notCarried(QStringLiteral("Programs: the EPUB cannot start programs; their links lead to "
                                  "a note."));
        const QString program = type == HyperTextType::ExecutableProgram
                                    ? firstWord(value, QLatin1Char(','))
                                    : firstWord(value, QLatin1Char(' '));
        return note(QStringLiteral("This link starts the program %1 in the executable edition "
                                   "of this book.")
                        .arg(program));
    }

    QString note(const QString& text) const
    {
        return QStringLiteral("<p class=\"note\">%1</p>\n").arg(XmlEscaped(text));
    }

    QString webPage(const QString& name, const QString& owner)
    {
        requireBookFile(name, owner);
        QTextDocument document;
        // Headings are sized from the default font, which needs a size of its own without a screen.
        document.setDefaultFont(QFont(QStringLiteral("serif"), 12));
        document.setHtml(textcodec::decodeOutsideText(filestore::readAll(name)));
        return DocumentToXhtml(document, textHooks());
    }

    QString pictureElement(const QString& name, const QString& owner)
    {
        if (name.isEmpty())
            return {};
        return QStringLiteral("<p class=\"picture\"><img src=\"%1\" alt=\"\"/></p>\n")
            .arg(XmlEscaped(mediaHref(name, owner)));
    }

    QString audioElement(const QString& name, const QString& owner)
    {
        if (name.isEmpty())
            return {};
        return QStringLiteral("<p><audio controls=\"controls\" src=\"%1\">%2</audio></p>\n")
            .arg(XmlEscaped(mediaHref(name, owner)), XmlEscaped(name));
    }

    QString videoElement(const QString& name, const QString& owner)
    {
        if (name.isEmpty())
            return {};
        return QStringLiteral("<p><video controls=\"controls\" src=\"%1\">%2</video></p>\n")
            .arg(XmlEscaped(mediaHref(name, owner)), XmlEscaped(name));
    }

    void notCarried(const QString& line)
    {
        if (!m_notCarried.contains(line))
            m_notCarried << line;
    }

    // --- media ---------------------------------------------------------------------------

    void requireBookFile(const QString& name, const QString& owner)
    {
        if (!IsBookFileName(name)) {
            ShowError(NotABookFileMessage(owner, name));
            throw ExportStopped{};
        }
        if (!filestore::exists(name)) {
            ShowError(QStringLiteral("The file ") + name + QStringLiteral(" is missing."));
            throw ExportStopped{};
        }
    }

    // The package file of a book file, converted the first time it is named.
    QString mediaHref(const QString& name, const QString& owner, const QString& properties = {})
    {
        const QString key = name.toUpper();
        if (const auto done = m_media.constFind(key); done != m_media.constEnd())
            return *done;
        requireBookFile(name, owner);
        EpubMedia media;
        switch (MediaKindOf(name)) {
        case MediaKind::Picture:
            media = ConvertPicture(name);
            break;
        case MediaKind::Sound:
            media = ConvertSound(name, InstalledSoundFont());
            break;
        case MediaKind::Film:
            media = ConvertFilm(name);
            break;
        case MediaKind::Other:
            media.error = QStringLiteral("it is not a picture, sound or film");
            break;
        }
        if (media.bytes.isEmpty()) {
            ShowError(
                QStringLiteral("The file %1 could not be converted: %2").arg(name, media.error));
            throw ExportStopped{};
        }
        const QString href =
            freeHref(QStringLiteral("media/"), QFileInfo(name).completeBaseName(), media.suffix);
        // Pictures, sounds and films are compressed already.
        addItem({nextId(QStringLiteral("media")), href, media.mediaType, properties, media.bytes,
                 false});
        m_media.insert(key, href);
        return href;
    }

    WorkingState& m_state;
    ProjectBookSource m_source;
    QList<PackageItem> m_items;
    QStringList m_spine;
    QStringList m_asidePages;
    QList<std::pair<QString, QString>> m_chapterLinks;
    QSet<QString> m_usedHrefs;
    QHash<QString, QString> m_media; // upper-case book file name -> package file
    QHash<QString, QString> m_pages; // lower-case phrase -> its page
    QHash<QString, QString> m_notes; // lower-case phrase -> its footnote in this chapter
    QString m_noteBodies;
    QString m_chapterHref;
    QStringList m_notCarried;
    int m_ids = 0;
    int m_refs = 0;
    int m_noteCount = 0;
};

} // namespace

QString EpubName(const WorkingState& state)
{
    return BaseName(state.ProjectFile) + QStringLiteral(".epub");
}

bool ExportEpub(WorkingState& state, const QString& file, QStringList* notCarried)
{
    const ChapterRecord chapter = state.CurrentChapter;
    const DisplayRecord display = state.CurrentDisplay;
    const QString current = QDir::currentPath();
    const auto restore = qScopeGuard([&] {
        state.CurrentChapter = chapter;
        state.CurrentDisplay = display;
        QDir::setCurrent(current);
    });
    QDir::setCurrent(state.ProjectDir);
    EpubBook book(state);
    QByteArray bytes;
    try {
        bytes = book.build();
    } catch (const ExportStopped&) {
        return false;
    }
    QDir::setCurrent(current);
    filestore::writeAll(file, bytes);
    if (notCarried)
        *notCarried = book.notCarried();
    return true;
}
