// Assembling the EPUB package: the documents, the media, the package document and the archive.
#include "core/epub/epubexport.h"

#include "core/book/booksource.h"
#include "core/book/unlinkedphrases.h"
#include "core/epub/accessibilityclaim.h"
#include "core/epub/epubaccessibility.h"
#include "core/epub/epubmedia.h"
#include "core/epub/epubpackage.h"
#include "core/epub/epubwebpage.h"
#include "core/epub/epubxhtml.h"
#include "core/files/filenames.h"
#include "core/files/filestore.h"
#include "core/files/projectpath.h"
#include "core/files/runtimeerror.h"
#include "core/files/textcodec.h"
#include "core/pictures/commandvalue.h"
#include "core/richtext/rtfreader.h"
#include "core/sections/alttext.h"
#include "core/sections/booklanguage.h"
#include "core/sections/compiledsections.h"
#include "core/sections/displaysection.h"
#include "core/sections/hypertext.h"
#include "core/sections/sectionname.h"
#include "core/services/messages.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QScopeGuard>
#include <QSet>
#include <QTextDocument>
#include <QThread>
#include <QUuid>

#include <future>
#include <memory>
#include <optional>

namespace {

// Raised after the message, to leave the export with nothing written.
struct ExportStopped
{};

class EpubBook
{
public:
    explicit EpubBook(WorkingState& state)
        : m_state(state), m_source(state), m_language(BookLanguage(state.HyperTextFile)),
          m_chapterLanguage(m_language), m_altTexts(AltTexts(state.HyperTextFile))
    {
        if (filestore::exists(state.HyperTextFile))
            m_entries = CompiledSections::fromBytes(
                CompileSections(filestore::readAll(state.HyperTextFile)));
    }

    QByteArray build()
    {
        addTitlePage();
        addChapters();
        m_package.add({QStringLiteral("nav"), QStringLiteral("nav.xhtml"),
                       QStringLiteral("application/xhtml+xml"), QStringLiteral("nav"),
                       navigation()});
        m_package.readAt(1, QStringLiteral("nav"));
        m_package.add({QStringLiteral("style"),
                       QStringLiteral("style.css"),
                       QStringLiteral("text/css"),
                       {},
                       EpubStyleSheet()});
        QByteArray archive = m_package.archive(metadata());
        if (archive.isEmpty()) {
            ShowError(QStringLiteral("The E-Book is too large for an EPUB."));
            throw ExportStopped{};
        }
        return archive;
    }

    QStringList notCarried() const
    {
        const QString unlinked = UnlinkedPhrasesMessage(m_unlinked);
        return unlinked.isEmpty() ? m_notCarried : m_notCarried + QStringList{unlinked};
    }

private:
    using Converter = EpubMedia (*)(const QString& fileName);

    QString nextId(const QString& kind)
    {
        return kind + QLatin1Char('-') + QString::number(++m_ids);
    }

    QString title() const
    {
        const QString bookTitle = m_source.project().Config.BookTitle.text().trimmed();
        return bookTitle.isEmpty() ? BaseName(m_state.ProjectFile) : bookTitle;
    }

    // The identifier is made from the project file and the title, so that an export made again
    // is the same book to a reading system.
    EpubMetadata metadata() const
    {
        const QUuid id =
            QUuid::createUuidV5(QUuid(QStringLiteral("{6f1c8a52-8d5e-4c57-9f2b-3a1d5e7c9b40}")),
                                m_state.ProjectFile + QLatin1Char('/') + title());
        const QString creator = m_source.project().Presentation.About.AuthorText.text().trimmed();
        return {QStringLiteral("urn:uuid:") + id.toString(QUuid::WithoutBraces), title(), creator,
                m_language,
                AccessibilityMetadata({m_undescribedPictures, m_describedPictures, m_timedMedia,
                                       m_undescribedTimedMedia},
                                      AccessibilityCheckedBy(m_state.HyperTextFile))};
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
                                                  ConvertPicture, QStringLiteral("cover-image"))));
        if (menu.UseAuthorBox) {
            const AuthorRecord& a = menu.Author;
            for (const auto* line : {&a.AuthorLine1, &a.AuthorLine2, &a.AuthorLine3, &a.AuthorLine4,
                                     &a.AuthorLine5, &a.AuthorLine6}) {
                if (!line->text().trimmed().isEmpty())
                    body += QStringLiteral("<p>%1</p>\n").arg(XmlEscaped(line->text()));
            }
        }
        body += QStringLiteral("</section>\n");
        m_package.add({QStringLiteral("title-page"),
                       QStringLiteral("title.xhtml"),
                       QStringLiteral("application/xhtml+xml"),
                       {},
                       XhtmlPage(title(), m_language, body)});
        m_package.read(QStringLiteral("title-page"));
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
                "<nav epub:type=\"toc\" role=\"doc-toc\" id=\"toc\">\n<h1>%1</h1>\n<ol>\n%2</ol>\n"
                "</nav>\n"
                "<nav epub:type=\"landmarks\" hidden=\"hidden\">\n<ol>\n"
                "<li><a epub:type=\"toc\" href=\"#toc\">%1</a></li>\n"
                "<li><a epub:type=\"bodymatter\" href=\"%3\">%4</a></li>\n"
                "</ol>\n</nav>\n")
                .arg(QStringLiteral("Contents"), list, first, XmlEscaped(title()));
        return XhtmlPage(title(), m_language, body);
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
        std::future<Chapter> next = readAhead(0);
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

    void addChapter(int number, Chapter& chapter)
    {
        m_chapterHref = QStringLiteral("chapter-%1.xhtml").arg(number);
        m_notes.clear();
        m_noteBodies.clear();
        m_pages.clear();
        m_chapterPages.clear();
        noteBackground(chapter.record);
        const QString entry = chapter.record.MenuEntry.text();
        // A chapter whose text is mostly in one language is in that language.
        const QString marked = DominantLanguage(*chapter.document, m_language);
        m_chapterLanguage = marked.isEmpty() ? m_language : marked;
        QString page = XhtmlHead(entry, m_chapterLanguage);
        page += QStringLiteral("<section epub:type=\"chapter\" role=\"doc-chapter\">\n");
        if (!MakeTitleHeading(*chapter.document, entry))
            page += QStringLiteral("<h1 class=\"chapter-title\">%1</h1>\n").arg(XmlEscaped(entry));
        AppendXhtml(*chapter.document, chapterHooks(), page);
        page += m_noteBodies;
        page += QStringLiteral("</section>\n");
        page += kXhtmlEnd;
        const QString id = QStringLiteral("chapter-%1").arg(number);
        m_package.add(
            {id, m_chapterHref, QStringLiteral("application/xhtml+xml"), {}, page.toUtf8()});
        m_package.read(id);
        // The chapter's link pages follow it, out of the reading order.
        for (const QString& linkPage : std::as_const(m_chapterPages))
            m_package.read(linkPage, false);
        m_chapterLinks.append({m_chapterHref, entry});
    }

    // A background of a chapter screen has no place in a reading system's page.
    void noteBackground(const ChapterRecord& chapter)
    {
        const QString file = chapter.DisplayFile.text();
        if (file.isEmpty())
            return;
        const DisplayRecord display = m_source.display(file);
        if (IsBackground(display.BackType, BackgroundType::Picture) ||
            IsBackground(display.BackType, BackgroundType::Wallpaper))
            notCarried(QStringLiteral("Backgrounds: the EPUB shows the chapters on the reading "
                                      "system's own page; the pictures behind them were left "
                                      "out."));
    }

    XhtmlHooks chapterHooks()
    {
        XhtmlHooks hooks = textHooks();
        hooks.link = [this](const QString& phrase) { return linkFor(phrase); };
        return hooks;
    }

    XhtmlHooks textHooks()
    {
        XhtmlHooks hooks;
        hooks.picture = [this](const QImage& image, const QByteArray& file) {
            ++m_undescribedPictures;
            return addTextPicture(image, file);
        };
        hooks.language = m_chapterLanguage;
        return hooks;
    }

    // A picture of the text is stored once however often it is shown; a JPEG stays a JPEG.
    QString addTextPicture(const QImage& image, const QByteArray& file)
    {
        const bool jpeg = file.startsWith("\xFF\xD8");
        const bool png = file.startsWith("\x89PNG");
        const QByteArray bytes = jpeg || png ? file : PngBytes(image);
        const QByteArray key = QCryptographicHash::hash(bytes, QCryptographicHash::Sha1);
        if (const auto done = m_stored.constFind(key); done != m_stored.constEnd())
            return *done;
        const QString href =
            m_package.freeHref(QStringLiteral("media/"), QStringLiteral("picture"),
                               jpeg ? QStringLiteral("jpg") : QStringLiteral("png"));
        m_package.add({nextId(QStringLiteral("picture")),
                       href,
                       jpeg ? QStringLiteral("image/jpeg") : QStringLiteral("image/png"),
                       {},
                       bytes,
                       false});
        m_stored.insert(key, href);
        return href;
    }

    // --- HyperText links -----------------------------------------------------------------

    // The phrase's entry, from the HyperText file read once for the whole export.
    bool hyperEntry(const QString& phrase, QStringList& lines)
    {
        const QString key = SectionNameKey(phrase);
        auto known = m_entryLines.constFind(key);
        if (known == m_entryLines.constEnd()) {
            QStringList found;
            if (!m_entries || !m_entries->readEntry(phrase, kHyperSource, found))
                found.clear();
            known = m_entryLines.insert(key, found);
        }
        lines = *known;
        return !lines.isEmpty();
    }

    XhtmlLink linkFor(const QString& phrase)
    {
        QStringList lines;
        if (phrase.isEmpty())
            return {};
        if (!hyperEntry(phrase, lines)) {
            if (!m_unlinkedKeys.contains(SectionNameKey(phrase))) {
                m_unlinkedKeys.insert(SectionNameKey(phrase));
                m_unlinked << phrase;
            }
            return {};
        }
        const HyperTextType type = EntryType(lines);
        const QString value = EntryCommand(lines);
        if (type == HyperTextType::TextOnly)
            return footnote(phrase, lines);
        if (type == HyperTextType::HtmlFile && IsWebAddress(value)) {
            if (IsEpubLinkAddress(value))
                return {value, false, {}, {}};
            // A script or a file of the reader's own machine is no link for a book to carry.
            notCarried(QStringLiteral("The address %1 is not a web address; its link was left "
                                      "out.")
                           .arg(value));
            return {};
        }
        if (type == HyperTextType::None)
            return {};
        const QString key = SectionNameKey(phrase);
        if (const auto page = m_pages.constFind(key); page != m_pages.constEnd())
            return {*page, false, {}, {}};
        // One page per chapter that uses the phrase, so that Back returns to that chapter.
        const QString ref = QStringLiteral("ref-%1").arg(++m_refs);
        const QString href = m_package.freeHref({}, QStringLiteral("link-%1").arg(++m_linkPages),
                                                QStringLiteral("xhtml"));
        m_pages.insert(key, href);
        addLinkPage(href, phrase, type, lines, m_chapterHref + QLatin1Char('#') + ref);
        return {href, false, ref, {}};
    }

    XhtmlLink footnote(const QString& phrase, const QStringList& lines)
    {
        const QString key = SectionNameKey(phrase);
        if (!m_notes.contains(key)) {
            const QString id = QStringLiteral("note-%1").arg(++m_noteCount);
            m_notes.insert(key, id);
            m_noteBodies += QStringLiteral("<aside epub:type=\"footnote\" role=\"doc-footnote\" "
                                           "id=\"%1\">\n%2</aside>\n")
                                .arg(id, displayText(lines));
        }
        return {QLatin1Char('#') + m_notes.value(key), true, {}, {}};
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
        m_linkAltText = m_altTexts.value(SectionNameKey(phrase));
        QString body = QStringLiteral("<h1>%1</h1>\n").arg(XmlEscaped(phrase));
        body += linkPageContent(type, lines, owner, phrase);
        body +=
            QStringLiteral("<p class=\"back\"><a href=\"%1\">Back</a></p>\n").arg(XmlEscaped(back));
        const QString id = QFileInfo(href).completeBaseName();
        m_package.add({id,
                       href,
                       QStringLiteral("application/xhtml+xml"),
                       {},
                       XhtmlPage(phrase, m_language, body)});
        m_chapterPages << id;
    }

    QString linkPageContent(HyperTextType type, const QStringList& lines, const QString& owner,
                            const QString& phrase)
    {
        const QString value = EntryCommand(lines);
        const ShowCommandParts parts = ParseShowCommand(value);
        switch (type) {
        case HyperTextType::GraphicAndText:
            return graphicAndText(lines, owner, phrase);
        case HyperTextType::GraphicOnly:
            return pictureElement(parts.picture, owner, phrase);
        case HyperTextType::GraphicAndSound:
            return pictureElement(parts.picture, owner, phrase) +
                   audioElement(parts.sound, owner, phrase);
        case HyperTextType::VoiceOnly:
        case HyperTextType::MidiPlayer:
            return audioElement(parts.sound, owner, phrase);
        case HyperTextType::VideoPlayer:
            return videoElement(parts.video, owner, phrase);
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

    QString graphicAndText(const QStringList& lines, const QString& owner, const QString& phrase)
    {
        DisplayRecord display = DefaultDisplay();
        QStringList text;
        ParseDisplayEntry(lines, display, text);
        QString content;
        if (!display.GraphicFile.text().isEmpty())
            content += pictureElement(display.GraphicFile.text(), owner, phrase);
        return content + displayText(lines);
    }

    QString programNote(HyperTextType type, const QString& value)
    {
        notCarried(QStringLiteral("Programs: the EPUB cannot start programs; their links lead to "
                                  "a note."));
        const QString program = ProgramArguments(type, value, QString()).value(0);
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
        const WebPage page = ReadWebPage(name);
        if (!page.document) {
            // A page no book would hold (too large, nested too deep) is left out, and said so:
            // the rest of the book is carried over.
            notCarried(page.error);
            return note(QStringLiteral("This link opens the web page %1 in the executable edition "
                                       "of this book.")
                            .arg(name));
        }
        return DocumentToXhtml(*page.document, textHooks());
    }

    // A picture a link shows says what the author's alternative text says, else what the phrase
    // says.
    QString pictureElement(const QString& name, const QString& owner, const QString& phrase)
    {
        if (name.isEmpty())
            return {};
        m_describedPictures = true;
        return QStringLiteral("<p class=\"picture\"><img src=\"%1\" alt=\"%2\"/></p>\n")
            .arg(XmlEscaped(mediaHref(name, owner, ConvertPicture)),
                 XmlEscaped(m_linkAltText.isEmpty() ? phrase : m_linkAltText));
    }

    QString audioElement(const QString& name, const QString& owner, const QString& phrase)
    {
        return timedElement(QStringLiteral("audio"), name, owner, ConvertBookSound, phrase);
    }

    QString videoElement(const QString& name, const QString& owner, const QString& phrase)
    {
        return timedElement(QStringLiteral("video"), name, owner, ConvertFilm, phrase);
    }

    // A sound or a film is named by its phrase and described by the author's alternative text.
    QString timedElement(const QString& tag, const QString& name, const QString& owner,
                         Converter convert, const QString& phrase)
    {
        if (name.isEmpty())
            return {};
        m_timedMedia = true;
        QString element =
            QStringLiteral("<p><%1 controls=\"controls\" src=\"%2\" aria-label=\"%4\">%3</%1>"
                           "</p>\n")
                .arg(tag, XmlEscaped(mediaHref(name, owner, convert)), XmlEscaped(name),
                     XmlEscaped(phrase));
        if (m_linkAltText.isEmpty())
            ++m_undescribedTimedMedia;
        else
            element +=
                QStringLiteral("<p class=\"description\">%1</p>\n").arg(XmlEscaped(m_linkAltText));
        return element;
    }

    void notCarried(const QString& line)
    {
        if (!m_notCarried.contains(line))
            m_notCarried << line;
    }

    // --- media ---------------------------------------------------------------------------

    void requireBookFile(const QString& name, const QString& owner)
    {
        if (const QString problem = BookMediaProblem(name, owner); !problem.isEmpty()) {
            ShowError(problem);
            throw ExportStopped{};
        }
    }

    // The package file of a book file, converted the first time it is named.
    QString mediaHref(const QString& name, const QString& owner, Converter convert,
                      const QString& properties = {})
    {
        const QString key = name.toUpper();
        if (const auto done = m_media.constFind(key); done != m_media.constEnd())
            return *done;
        requireBookFile(name, owner);
        const EpubMedia media = convert(name);
        if (media.bytes.isEmpty()) {
            ShowError(
                QStringLiteral("The file %1 could not be converted: %2").arg(name, media.error));
            throw ExportStopped{};
        }
        // The same bytes (a picture a web page shows too) are stored once.
        const QByteArray content = QCryptographicHash::hash(media.bytes, QCryptographicHash::Sha1);
        if (const auto done = m_stored.constFind(content);
            done != m_stored.constEnd() && properties.isEmpty()) {
            m_media.insert(key, *done);
            return *done;
        }
        const QString href = m_package.freeHref(QStringLiteral("media/"),
                                                QFileInfo(name).completeBaseName(), media.suffix);
        // Pictures, sounds and films are compressed already.
        m_package.add({nextId(QStringLiteral("media")), href, media.mediaType, properties,
                       media.bytes, false});
        m_media.insert(key, href);
        m_stored.insert(content, href);
        return href;
    }

    WorkingState& m_state;
    ProjectBookSource m_source;
    QString m_language; // the book's, for every document
    EpubPackage m_package;
    QList<std::pair<QString, QString>> m_chapterLinks;
    QHash<QString, QString> m_media;     // upper-case book file name -> package file
    QHash<QByteArray, QString> m_stored; // hash of a stored file's bytes -> package file
    QHash<QString, QString> m_pages;     // folded phrase -> its page in this chapter
    QStringList m_chapterPages;          // the link pages this chapter added
    QString m_chapterLanguage;
    int m_linkPages = 0;
    int m_undescribedPictures = 0; // pictures of the text, which carry no description
    bool m_describedPictures = false;
    bool m_timedMedia = false;
    int m_undescribedTimedMedia = 0;
    QHash<QString, QString> m_altTexts;        // phrase key -> the author's alternative text
    std::optional<CompiledSections> m_entries; // the HyperText file, indexed
    QHash<QString, QStringList> m_entryLines;  // phrase key -> its entry; empty for none
    QString m_linkAltText;                     // that of the link page being written
    QHash<QString, QString> m_notes;           // folded phrase -> its footnote in this chapter
    QString m_noteBodies;
    QString m_chapterHref;
    QStringList m_notCarried;
    QStringList m_unlinked; // underlined phrases without an entry
    QSet<QString> m_unlinkedKeys;
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
    // Only an EPUB goes into the book's folder: never over the project's own files.
    const QFileInfo target(file);
    if (QFileInfo(target.absolutePath()).canonicalFilePath() ==
            QFileInfo(state.ProjectDir).canonicalFilePath() &&
        target.suffix().compare(QLatin1String("epub"), Qt::CaseInsensitive) != 0) {
        ShowError(QStringLiteral("%1 is a file of the book's folder; the EPUB is not written "
                                 "over it.")
                      .arg(target.fileName()));
        return false;
    }
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
