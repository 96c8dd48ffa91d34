// Assembling the web edition: the book's data, each chapter's script, the media, the page.
#include "core/web/webedition.h"

#include "core/book/compiledbook.h"
#include "core/book/unlinkedphrases.h"
#include "core/epub/epubmedia.h"
#include "core/epub/epubwebpage.h"
#include "core/epub/epubxhtml.h"
#include "core/files/filenames.h"
#include "core/files/filestore.h"
#include "core/files/folderwrite.h"
#include "core/files/projectpath.h"
#include "core/files/textcodec.h"
#include "core/pictures/pictures.h"
#include "core/richtext/rtfreader.h"
#include "core/sections/alttext.h"
#include "core/sections/booklanguage.h"
#include "core/sections/displaysection.h"
#include "core/sections/sectionname.h"
#include "core/services/messages.h"
#include "core/web/webpagefiles.h"
#include "core/web/webscreens.h"
#include "format/reader/aboutbox.h"
#include "format/reader/background.h"
#include "format/reader/bookscreens.h"
#include "format/reader/linkaction.h"
#include "format/reader/showplan.h"
#include "format/sections/commandsyntax.h"
#include "format/sections/displaylines.h"
#include "format/text/utf8.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QScopeGuard>
#include <QTextDocument>
#include <QThread>

#include <future>
#include <memory>

namespace {

// Raised after the message, to leave the export with nothing written.
struct ExportStopped
{};

using Converter = EpubMedia (*)(const QString& fileName);

QString utf8(const std::string& text)
{
    return QString::fromStdString(text);
}

QString direction(const QString& text)
{
    return bookformat::IsRightToLeft(text.toStdString()) ? QStringLiteral("rtl")
                                                         : QStringLiteral("ltr");
}

// What a program link says in a browser, which starts no program.
QString ProgramMessage(bookformat::HyperTextType type, const QString& value)
{
    const std::vector<std::string> words =
        bookformat::ProgramArguments(type, value.toStdString(), {});
    return QStringLiteral("This link starts the program %1 in the Windows and Linux editions of "
                          "this book.")
        .arg(words.empty() ? value : utf8(words.front()));
}

// A script that hands its data to the page: `call`(data) or `call`(number, data).
QByteArray dataScript(const QString& call, const QJsonObject& data, int number = 0)
{
    QByteArray script = call.toUtf8() + '(';
    if (number > 0)
        script += QByteArray::number(number) + ", ";
    return script + QJsonDocument(data).toJson(QJsonDocument::Compact) + ");\n";
}

// A text read as the runtimes read it, with the language most of it is in and its direction.
struct ReadText
{
    std::unique_ptr<QTextDocument> document;
    QString language;
    QString direction;
};

ReadText readText(const QByteArray& rtf, const QString& bookLanguage)
{
    ReadText text{std::make_unique<QTextDocument>(), {}, {}};
    ReadRtf(rtf, *text.document);
    const QString marked = DominantLanguage(*text.document, bookLanguage);
    text.language = marked.isEmpty() ? bookLanguage : marked;
    text.direction = direction(text.document->toPlainText());
    return text;
}

class WebEdition
{
public:
    // The edition goes into `out`, or, without one, into one page (singlePage()).
    WebEdition(WorkingState& state, const CompiledBook& book, filestore::FolderWrite* out)
        : m_state(state), m_book(book), m_project(book.project()), m_out(out),
          m_language(BookLanguage(state.HyperTextFile)), m_altTexts(AltTexts(state.HyperTextFile))
    {
        // Pages opened from files may share one storage: each book keeps its notes apart.
        const QByteArray name = (BaseName(state.ProjectFile) + QLatin1Char('/') + title()).toUtf8();
        m_storageKey =
            QStringLiteral("quorelle-notepad:") +
            QString::fromLatin1(
                QCryptographicHash::hash(name, QCryptographicHash::Sha1).toHex().left(12)) +
            QLatin1Char(':');
    }

    void build()
    {
        const QJsonObject book = bookData();
        // Reading a chapter's rich text costs about as much as the rest of its way into the
        // edition, so the next chapter is read on another core meanwhile. (A third thread for
        // the writing only made the two cores' caches fight.)
        const int chapters = int(m_book.chapters().size());
        std::future<ReadText> next;
        if (chapters > 0)
            next = readAhead(0);
        for (int i = 0; i < chapters; ++i) {
            const ReadText text = next.get();
            if (i + 1 < chapters)
                next = readAhead(i + 1);
            add(QStringLiteral("chapters/%1.js").arg(i + 1),
                dataScript(QStringLiteral("QuorelleChapter"), chapterData(i, text), i + 1));
        }
        add(QStringLiteral("book.js"), dataScript(QStringLiteral("QuorelleBook"), book));
        if (m_out)
            addPage();
    }

    // The whole edition as one page: the scripts and the style sheet inside it, the media as
    // data addresses.
    QByteArray singlePage() const
    {
        QList<QByteArray> scripts;
        scripts << m_kept.value(QStringLiteral("book.js"));
        for (int i = 0; i < m_book.chapters().size(); ++i)
            scripts << m_kept.value(QStringLiteral("chapters/%1.js").arg(i + 1));
        return WebSinglePage(pageBook(), scripts);
    }

    QStringList notCarried() const
    {
        const QString unlinked = UnlinkedPhrasesMessage(m_unlinked);
        return unlinked.isEmpty() ? m_notCarried : m_notCarried + QStringList{unlinked};
    }

private:
    QString title() const
    {
        const QString bookTitle = m_project.Config.BookTitle.text().trimmed();
        return bookTitle.isEmpty() ? BaseName(m_state.ProjectFile) : bookTitle;
    }

    // Stores a file of the edition.
    void add(const QString& path, const QByteArray& bytes)
    {
        if (!m_out) {
            m_kept.insert(path, bytes);
            return;
        }
        m_out->add(path, bytes);
        // The version only has to change when a byte does: a quick 64-bit hash of each file
        // (megabytes of chapters) is enough, where a cryptographic one costs a tenth of the export.
        m_files.insert(path,
                       QByteArray::number(
                           qulonglong(qHashBits(bytes.constData(), size_t(bytes.size()), 0)), 16));
    }

    void notCarried(const QString& line)
    {
        if (!m_notCarried.contains(line))
            m_notCarried << line;
    }

    // --- the book ------------------------------------------------------------------------

    QJsonObject bookData()
    {
        const PresentationRecord& presentation = m_project.Presentation;
        const std::vector<bookformat::BookStep> steps =
            bookformat::BookSteps(presentation, std::size_t(m_book.chapters().size()));
        QJsonArray stepNames;
        bool needsTap = false;
        for (const bookformat::BookStep step : steps)
            stepNames.append(stepName(step));
        QJsonObject book{{QStringLiteral("format"), 1},
                         {QStringLiteral("title"), title()},
                         {QStringLiteral("lang"), m_language},
                         {QStringLiteral("dir"), direction(title())},
                         {QStringLiteral("steps"), stepNames},
                         {QStringLiteral("captions"), captions()},
                         {QStringLiteral("help"), QJsonValue::Null},
                         {QStringLiteral("background"), programBackground()}};
        book.insert(QStringLiteral("opening"),
                    command(presentation.OpeningShown != 0, presentation.Opening,
                            QStringLiteral("The opening command"), needsTap));
        book.insert(QStringLiteral("closing"),
                    command(presentation.ClosingShown != 0, presentation.Closing,
                            QStringLiteral("The closing command"), needsTap));
        book.insert(QStringLiteral("needsTap"), needsTap);
        book.insert(QStringLiteral("about"), about());
        book.insert(QStringLiteral("intro"), introduction());
        book.insert(QStringLiteral("contents"), contents());
        if (m_project.Config.UseHelpFile)
            notCarried(QStringLiteral("Help: the web edition does not open the book's help "
                                      "file."));
        return book;
    }

    static QString stepName(bookformat::BookStep step)
    {
        switch (step) {
        case bookformat::BookStep::OpeningCommand:
            return QStringLiteral("opening");
        case bookformat::BookStep::AboutBox:
            return QStringLiteral("about");
        case bookformat::BookStep::Introduction:
            return QStringLiteral("intro");
        case bookformat::BookStep::OnlyChapter:
            return QStringLiteral("chapter");
        case bookformat::BookStep::TableOfContents:
            return QStringLiteral("contents");
        case bookformat::BookStep::ClosingCommand:
            break;
        }
        return QStringLiteral("closing");
    }

    QJsonObject captions() const
    {
        const CaptionsRecord& captions = m_project.Presentation.Captions;
        return {{QStringLiteral("close"), captions.CloseCaption.text()},
                {QStringLiteral("quit"), captions.QuitCaption.text()},
                {QStringLiteral("find"), captions.FindCaption.text()},
                {QStringLiteral("print"), captions.PrintCaption.text()},
                {QStringLiteral("about"), captions.AboutCaption.text()},
                {QStringLiteral("help"), captions.HelpCaption.text()},
                {QStringLiteral("media"), captions.MediaPrompt.text()}};
    }

    // A command's action; a show or a sound played before the reader's first tap needs one.
    QJsonValue command(bool shown, const CommandRecord& record, const QString& owner,
                       bool& needsTap)
    {
        const bookformat::HyperTextType type = bookformat::ToHyperTextType(record.CommandType);
        if (!shown || !bookformat::IsCommandType(type))
            return QJsonValue::Null;
        const bookformat::LinkAction action = bookformat::DecideCommand(
            type, title().toStdString(), record.Command.text().toStdString(), owner.toStdString(),
            IsBookFileNameUtf8);
        needsTap = needsTap || action.kind == bookformat::LinkActionKind::Show;
        return actionData(action, {});
    }

    QJsonValue about()
    {
        const AboutRecord& about = m_project.Presentation.About;
        if (!m_project.Presentation.AboutShown)
            return QJsonValue::Null;
        QJsonValue icon = QJsonValue::Null;
        if (about.UseIcon) {
            const QString file = about.IconFile.text();
            if (!IsBookFileName(file) || !filestore::exists(file)) {
                ShowError(utf8(bookformat::MissingIconMessage(file.toStdString())));
                throw ExportStopped{};
            }
            icon = media(file, QStringLiteral("The About box"), ConvertPicture);
        }
        return QJsonObject{{QStringLiteral("caption"), about.AboutCaption.text()},
                           {QStringLiteral("programName"), about.ProgramName.text()},
                           {QStringLiteral("version"), about.VersionText.text()},
                           {QStringLiteral("author"), about.AuthorText.text()},
                           {QStringLiteral("comments"), utf8(bookformat::AboutComments(about))},
                           {QStringLiteral("icon"), icon}};
    }

    QJsonValue introduction()
    {
        const IntroRecord& intro = m_project.Presentation.Intro;
        if (!m_project.Presentation.IntroShown)
            return QJsonValue::Null;
        QJsonArray menu;
        if (intro.UseMenuBar)
            menu = bookMenu(
                {QStringLiteral("close"), QStringLiteral("help"), QStringLiteral("about")});
        QJsonObject screen = screenData(intro.IntroDisplay, menu);
        AddWebBars(screen, intro.IntroBars);
        const auto lines = bookformat::IntroText(m_book.formatBook());
        const std::string rtf = lines ? bookformat::RtfFromLines(*lines) : std::string();
        screen.insert(QStringLiteral("text"),
                      textData(QByteArray::fromStdString(rtf), intro.IntroDisplay));
        return screen;
    }

    QJsonObject contents()
    {
        const MenuRecord& menu = m_project.Menu;
        QJsonObject screen = screenData(
            menu.MenuDisplay,
            bookMenu({QStringLiteral("quit"), QStringLiteral("about"), QStringLiteral("help")}));
        AddWebBars(screen, menu.MenuBars);
        QJsonArray chapters;
        for (const ChapterEntry& chapter : m_book.chapters()) {
            const QString entry = chapter.MenuEntry.text();
            chapters.append(QJsonObject{{QStringLiteral("entry"), entry},
                                        {QStringLiteral("dir"), direction(entry)}});
        }
        const DisplayRecord& box = menu.MenuDisplay;
        return {
            {QStringLiteral("screen"), screen},
            {QStringLiteral("box"), WebRect(box.WinLeft, box.WinTop, box.WinWidth, box.WinHeight)},
            {QStringLiteral("authorBox"), authorBox()},
            {QStringLiteral("ok"), QStringLiteral("&OK")},
            {QStringLiteral("quitButton"), QStringLiteral("&Quit")},
            {QStringLiteral("chapters"), chapters}};
    }

    QJsonValue authorBox() const
    {
        const MenuRecord& menu = m_project.Menu;
        if (!menu.UseAuthorBox)
            return QJsonValue::Null;
        const AuthorRecord& a = menu.Author;
        QJsonArray lines;
        for (const auto* line : {&a.AuthorLine1, &a.AuthorLine2, &a.AuthorLine3, &a.AuthorLine4,
                                 &a.AuthorLine5, &a.AuthorLine6})
            lines.append(line->text());
        return QJsonObject{{QStringLiteral("place"),
                            WebRect(a.AuthorLeft, a.AuthorTop, a.AuthorWidth, a.AuthorHeight)},
                           {QStringLiteral("colour"), WebColour(a.AuthorColor)},
                           {QStringLiteral("font"),
                            WebFont(bookformat::BarFont(a.AuthorFont.text().toStdString()))},
                           {QStringLiteral("lines"), lines}};
    }

    // The menu bar's commands, without About and Help where the book shows neither.
    QJsonArray bookMenu(const QStringList& commands) const
    {
        QJsonArray menu;
        for (const QString& command : commands) {
            if (command == QLatin1String("about") && !m_project.Presentation.AboutShown)
                continue;
            // The help file stays with the desktop editions.
            if (command == QLatin1String("help"))
                continue;
            menu.append(command);
        }
        return menu;
    }

    // --- screens -------------------------------------------------------------------------

    QJsonObject screenData(const DisplayRecord& display, const QJsonArray& menu,
                           const QString& caption = {})
    {
        return {{QStringLiteral("caption"), caption.isEmpty() ? title() : caption},
                {QStringLiteral("title"), QJsonValue::Null},
                {QStringLiteral("status"), QJsonValue::Null},
                {QStringLiteral("background"),
                 background(bookformat::Background{display.BackType, display.BackColor,
                                                   display.GraphicFile.text().toStdString(),
                                                   display.WallpaperFile.text().toStdString()})},
                {QStringLiteral("menu"), menu},
                {QStringLiteral("text"), QJsonValue::Null}};
    }

    QJsonObject programBackground()
    {
        const ConfigRecord& config = m_project.Config;
        return background(bookformat::Background{config.ProgBackType, config.ProgBackColor,
                                                 config.ProgGraphicFile.text().toStdString(),
                                                 config.ProgWallpaperFile.text().toStdString()});
    }

    // What the runtimes show: the colour where the picture is refused or missing, and why.
    QJsonObject background(const bookformat::Background& stored)
    {
        const bookformat::BackgroundPlan plan =
            bookformat::PlanBackground(stored, IsBookFileNameUtf8);
        QJsonObject data{{QStringLiteral("colour"), WebColour(stored.colour)},
                         {QStringLiteral("picture"), QJsonValue::Null},
                         {QStringLiteral("tiles"), plan.look == bookformat::BackgroundLook::Tiles},
                         {QStringLiteral("message"), utf8(plan.message)}};
        const bool picture = plan.look == bookformat::BackgroundLook::Picture ||
                             plan.look == bookformat::BackgroundLook::Tiles;
        if (!picture || !plan.message.empty())
            return data;
        const QString file = utf8(plan.file);
        if (file.isEmpty() || !filestore::exists(file)) {
            data.insert(QStringLiteral("message"), utf8(bookformat::MissingPictureMessage(plan)));
            return data;
        }
        data.insert(QStringLiteral("picture"),
                    media(file, QStringLiteral("A screen's background"), ConvertPicture));
        return data;
    }

    // A text window's contents, read as the runtimes read it.
    QJsonObject textData(const QByteArray& rtf, const DisplayRecord& display)
    {
        return textData(readText(rtf, m_language), display, false);
    }

    // The same of a text read already; `phrases` makes its HyperText phrases links.
    QJsonObject textData(const ReadText& text, const DisplayRecord& display, bool phrases)
    {
        XhtmlHooks hooks;
        hooks.language = text.language;
        hooks.picture = [this](const QImage& image, const QByteArray& file) {
            return textPicture(image, file);
        };
        if (phrases)
            hooks.link = [this](const QString& phrase) { return phraseLink(phrase); };
        return {{QStringLiteral("html"), DocumentToXhtml(*text.document, hooks)},
                {QStringLiteral("lang"), text.language},
                {QStringLiteral("dir"), text.direction},
                {QStringLiteral("colour"), WebColour(display.TextColor)},
                {QStringLiteral("place"), WebTextPlace(display)}};
    }

    // --- chapters ------------------------------------------------------------------------

    std::future<ReadText> readAhead(int index) const
    {
        const QByteArray rtf = m_book.chapterText(index);
        QThread* const here = QThread::currentThread();
        return std::async(std::launch::async, [rtf, here, language = m_language] {
            ReadText text = readText(rtf, language);
            text.document->moveToThread(here);
            return text;
        });
    }

    QJsonObject chapterData(int index, const ReadText& text)
    {
        const ChapterEntry& chapter = m_book.chapters().at(index);
        const DisplayRecord display = m_book.display(chapter.DisplayFile.text());
        QStringList menu{QStringLiteral("close"), QStringLiteral("find")};
        if (display.PrintAllowed)
            menu << QStringLiteral("print");
        QJsonObject screen = screenData(
            display, bookMenu(menu + QStringList{QStringLiteral("about"), QStringLiteral("help")}));
        AddWebBars(screen, m_project.ChapterBars);
        m_links = QJsonObject();
        screen.insert(QStringLiteral("text"), textData(text, display, true));
        return {{QStringLiteral("entry"), chapter.MenuEntry.text()},
                {QStringLiteral("screen"), screen},
                {QStringLiteral("links"), m_links}};
    }

    XhtmlLink phraseLink(const QString& phrase)
    {
        if (phrase.isEmpty())
            return {};
        // A phrase is met many times in a chapter: its key and action are made once.
        auto known = m_keys.constFind(phrase);
        if (known == m_keys.constEnd())
            known = m_keys.insert(phrase, SectionNameKey(phrase));
        const QString& key = *known;
        if (!m_links.contains(key)) {
            auto action = m_actions.constFind(key);
            if (action == m_actions.constEnd())
                action = m_actions.insert(key, phraseAction(phrase));
            m_links.insert(key, *action);
        }
        XhtmlLink link;
        link.href = QStringLiteral("#");
        link.dataLink = key;
        return link;
    }

    QJsonValue phraseAction(const QString& phrase)
    {
        const auto lines = bookformat::HyperEntry(m_book.formatBook(), phrase.toStdString());
        if (!lines) {
            if (!m_unlinked.contains(phrase))
                m_unlinked << phrase;
            return messageAction(phrase,
                                 utf8(bookformat::NotHyperTextMessage(phrase.toStdString())));
        }
        m_altText = m_altTexts.value(SectionNameKey(phrase));
        return actionData(bookformat::DecideClick(*lines, IsBookFileNameUtf8), *lines);
    }

    // --- actions -------------------------------------------------------------------------

    static QJsonObject messageAction(const QString& caption, const QString& message)
    {
        return {{QStringLiteral("kind"), QStringLiteral("message")},
                {QStringLiteral("caption"), caption},
                {QStringLiteral("message"), message}};
    }

    QJsonObject actionData(const bookformat::LinkAction& action,
                           const std::vector<std::string>& lines)
    {
        using Kind = bookformat::LinkActionKind;
        const QString caption = utf8(action.caption);
        const QString value = utf8(action.value);
        QJsonObject data{{QStringLiteral("caption"), caption}};
        switch (action.kind) {
        case Kind::PopupText:
        case Kind::TextScreen:
            return displayAction(action.kind, caption, lines);
        case Kind::Show:
            data.insert(QStringLiteral("kind"), QStringLiteral("show"));
            data.insert(QStringLiteral("show"), show(value, caption));
            return data;
        case Kind::Program:
            notCarried(QStringLiteral("Programs: a browser cannot start programs; their links "
                                      "say which program the other editions start."));
            return messageAction(caption, ProgramMessage(action.type, value));
        case Kind::Page:
            data.insert(QStringLiteral("kind"), QStringLiteral("page"));
            data.insert(QStringLiteral("page"), page(value, caption));
            return data;
        case Kind::WebAddress:
            if (!IsEpubLinkAddress(value))
                return messageAction(caption, utf8(bookformat::NotOpenedMessage(action.value)));
            data.insert(QStringLiteral("kind"), QStringLiteral("web"));
            data.insert(QStringLiteral("web"),
                        QJsonObject{{QStringLiteral("address"), value},
                                    {QStringLiteral("question"), utf8(action.message)}});
            return data;
        case Kind::Notepad:
            data.insert(QStringLiteral("kind"), QStringLiteral("notepad"));
            data.insert(QStringLiteral("notepad"), notepad(value));
            return data;
        case Kind::Refused:
            return messageAction(caption, utf8(action.message));
        case Kind::Nothing:
            break;
        }
        data.insert(QStringLiteral("kind"), QStringLiteral("nothing"));
        return data;
    }

    QJsonObject displayAction(bookformat::LinkActionKind kind, const QString& caption,
                              const std::vector<std::string>& lines)
    {
        QStringList entry;
        for (const std::string& line : lines)
            entry << utf8(line);
        DisplayRecord display = DefaultDisplay();
        QStringList textLines;
        ParseDisplayEntry(entry, display, textLines);
        const QByteArray rtf = RtfFromLines(textLines);
        QJsonObject text = textData(rtf, display);
        if (kind == bookformat::LinkActionKind::PopupText) {
            // The pop-up's frame is three pixels wider than the text window the author drew.
            text.insert(QStringLiteral("place"), WebRect(display.WinLeft, display.WinTop,
                                                         display.WinWidth + 3, display.WinHeight));
            return {{QStringLiteral("kind"), QStringLiteral("popup")},
                    {QStringLiteral("caption"), caption},
                    {QStringLiteral("popup"), text}};
        }
        QJsonObject screen = screenData(display, {}, caption);
        screen.insert(QStringLiteral("text"), text);
        return {{QStringLiteral("kind"), QStringLiteral("screen")},
                {QStringLiteral("caption"), caption},
                {QStringLiteral("screen"), screen}};
    }

    QJsonObject show(const QString& value, const QString& caption)
    {
        const bookformat::ShowCommandParts parts =
            bookformat::ParseShowCommand(value.toStdString());
        const bookformat::ShowPlan plan = bookformat::PlanShow(parts);
        const QString owner = QStringLiteral("The HyperText entry \"%1\"").arg(caption);
        QJsonObject data{{QStringLiteral("mode"), showMode(plan.mode)},
                         {QStringLiteral("picture"), QJsonValue::Null},
                         {QStringLiteral("sound"), QJsonValue::Null},
                         {QStringLiteral("video"), QJsonValue::Null},
                         {QStringLiteral("webm"), QJsonValue::Null},
                         {QStringLiteral("delayMs"), parts.delayMs},
                         {QStringLiteral("alt"), m_altText.isEmpty() ? caption : m_altText}};
        if (!plan.picture.empty())
            data.insert(QStringLiteral("picture"),
                        media(utf8(plan.picture), owner, ConvertPicture));
        if (!plan.sound.empty())
            data.insert(QStringLiteral("sound"), media(utf8(plan.sound), owner, ConvertBookSound));
        if (!plan.video.empty()) {
            data.insert(QStringLiteral("video"), media(utf8(plan.video), owner, ConvertFilmMp4));
            // A browser without H.264 plays the WebM; in one page the MP4 alone keeps it small.
            if (m_out)
                data.insert(QStringLiteral("webm"), media(utf8(plan.video), owner, ConvertFilm));
        }
        return data;
    }

    static QString showMode(bookformat::ShowMode mode)
    {
        switch (mode) {
        case bookformat::ShowMode::Player:
            return QStringLiteral("player");
        case bookformat::ShowMode::Sound:
            return QStringLiteral("sound");
        case bookformat::ShowMode::Picture:
            return QStringLiteral("picture");
        case bookformat::ShowMode::Nothing:
            break;
        }
        return QStringLiteral("nothing");
    }

    QJsonObject page(const QString& name, const QString& caption)
    {
        requireBookFile(name, QStringLiteral("The HyperText entry \"%1\"").arg(caption));
        const WebPage page = ReadWebPage(name);
        if (!page.document) {
            notCarried(page.error);
            return {
                {QStringLiteral("title"), caption},
                {QStringLiteral("html"), QStringLiteral("<p>%1</p>").arg(XmlEscaped(page.error))}};
        }
        XhtmlHooks hooks;
        hooks.language = m_language;
        hooks.picture = [this](const QImage& image, const QByteArray& file) {
            return textPicture(image, file);
        };
        return {{QStringLiteral("title"), caption},
                {QStringLiteral("html"), DocumentToXhtml(*page.document, hooks)}};
    }

    QJsonObject notepad(const QString& file)
    {
        QString text;
        if (!file.isEmpty() && filestore::exists(file))
            text = textcodec::decodeOutsideText(filestore::readAll(file));
        const QString name = file.isEmpty() ? QStringLiteral("NOTES.TXT") : file;
        return {{QStringLiteral("key"), m_storageKey + file.toUpper()},
                {QStringLiteral("file"), name},
                {QStringLiteral("caption"), utf8(bookformat::NotepadCaption(name.toStdString()))},
                {QStringLiteral("text"), text}};
    }

    // --- media ---------------------------------------------------------------------------

    void requireBookFile(const QString& name, const QString& owner)
    {
        if (const QString problem = BookMediaProblem(name, owner); !problem.isEmpty()) {
            ShowError(problem);
            throw ExportStopped{};
        }
    }

    // The edition's file of a book file, converted the first time it is named.
    QString media(const QString& name, const QString& owner, Converter convert)
    {
        const QString key = name.toUpper() + QLatin1Char('/') +
                            QString::number(reinterpret_cast<quintptr>(convert));
        if (const auto done = m_media.constFind(key); done != m_media.constEnd())
            return *done;
        requireBookFile(name, owner);
        const EpubMedia converted = convert(name);
        if (converted.bytes.isEmpty()) {
            ShowError(QStringLiteral("The file %1 could not be converted: %2")
                          .arg(name, converted.error));
            throw ExportStopped{};
        }
        const QString path = QStringLiteral("media/") + QFileInfo(name).completeBaseName() +
                             QLatin1Char('.') + converted.suffix;
        const QString file = storeOnce(path, converted.bytes, converted.mediaType);
        m_media.insert(key, file);
        return file;
    }

    // A picture of a text is stored once however often it is shown; a JPEG stays a JPEG.
    QString textPicture(const QImage& image, const QByteArray& file)
    {
        const bool jpeg = file.startsWith("\xFF\xD8");
        const bool png = file.startsWith("\x89PNG");
        const QByteArray bytes = jpeg || png ? file : PngBytes(image);
        return storeOnce(QStringLiteral("media/picture.") +
                             (jpeg ? QStringLiteral("jpg") : QStringLiteral("png")),
                         bytes, jpeg ? QStringLiteral("image/jpeg") : QStringLiteral("image/png"));
    }

    // Stores the bytes under a free name like `path`, or gives where the same bytes lie; in one
    // page, the bytes' data address.
    QString storeOnce(const QString& path, const QByteArray& bytes, const QString& mediaType)
    {
        const QByteArray hash = QCryptographicHash::hash(bytes, QCryptographicHash::Sha1);
        if (const auto stored = m_stored.constFind(hash); stored != m_stored.constEnd())
            return *stored;
        if (!m_out) {
            const QString address = QStringLiteral("data:%1;base64,%2")
                                        .arg(mediaType, QString::fromLatin1(bytes.toBase64()));
            m_stored.insert(hash, address);
            return address;
        }
        QString free = path;
        const QFileInfo info(path);
        for (int n = 2; m_names.contains(free.toLower()); ++n)
            free = QStringLiteral("%1/%2-%3.%4")
                       .arg(info.path(), info.completeBaseName())
                       .arg(n)
                       .arg(info.suffix());
        m_names.insert(free.toLower());
        add(free, bytes);
        m_stored.insert(hash, free);
        return free;
    }

    // --- the page ------------------------------------------------------------------------

    // Made from every file's name and bytes: a new edition is a new version to the worker.
    QByteArray version() const
    {
        QCryptographicHash version(QCryptographicHash::Sha1);
        for (auto file = m_files.begin(); file != m_files.end(); ++file) {
            version.addData(file.key().toUtf8());
            version.addData(file.value());
        }
        return version.result().toHex().left(16);
    }

    WebPageBook pageBook() const
    {
        const QString icon =
            m_project.Config.UseIcon ? m_project.Config.IconFile.text() : QString();
        const QImage iconImage = icon.isEmpty() || !IsBookFileName(icon) || !filestore::exists(icon)
                                     ? QImage()
                                     : LoadPicture(icon).image;
        return {title(), m_language, direction(title()), WebColour(m_project.Config.ProgBackColor),
                iconImage};
    }

    void addPage()
    {
        for (const WebPageFile& file : WebPageFiles(pageBook()))
            add(file.path, file.bytes);
        QStringList files = m_files.keys();
        files << QStringLiteral("files.js") << QStringLiteral("./");
        add(QStringLiteral("files.js"), WebFileList(files, version()));
    }

    WorkingState& m_state;
    const CompiledBook& m_book;
    const ProjectRecord& m_project;
    filestore::FolderWrite* m_out;
    QHash<QString, QByteArray> m_kept; // one page's scripts, by their names in a folder
    QString m_language;
    QHash<QString, QString> m_altTexts; // phrase key -> the author's alternative text
    QString m_altText;                  // that of the phrase being written
    QString m_storageKey;
    QJsonObject m_links;                  // the chapter being written: phrase key -> action
    QHash<QString, QString> m_keys;       // phrase -> its key
    QHash<QString, QJsonValue> m_actions; // phrase key -> its action, for every chapter
    QHash<QString, QString> m_media;      // book file and converter -> edition file
    QHash<QByteArray, QString> m_stored;  // hash of a stored file's bytes -> edition file
    QSet<QString> m_names;                // edition files, in lower case
    QMap<QString, QByteArray> m_files;    // every file written -> the hash of its bytes
    QStringList m_notCarried;
    QStringList m_unlinked;
};

} // namespace

QString WebEditionName(const WorkingState& state)
{
    return BaseName(state.ProjectFile) + QStringLiteral("-web");
}

namespace {

// Builds the edition from the book compiled as the executable holds it; `write` takes the
// finished edition. False when the book cannot be compiled or the export stopped.
template <class Write>
bool exportEdition(WorkingState& state, filestore::FolderWrite* out, QStringList* notCarried,
                   Write write)
{
    const QString current = QDir::currentPath();
    const auto restore = qScopeGuard([&] { QDir::setCurrent(current); });
    QDir::setCurrent(state.ProjectDir);
    const std::optional<QByteArray> bytes = CompiledBookBytes(state);
    if (!bytes)
        return false;
    const CompiledBook compiled = CompiledBook::fromBytes(*bytes);
    WebEdition edition(state, compiled, out);
    try {
        edition.build();
    } catch (const ExportStopped&) {
        return false;
    }
    if (notCarried)
        *notCarried = edition.notCarried();
    write(edition);
    return true;
}

// Whether the path is the book's folder, or a folder holding it, after the message.
bool holdsTheBook(const WorkingState& state, const QString& path)
{
    const QString book = QFileInfo(state.ProjectDir).canonicalFilePath();
    if (path != book && !book.startsWith(path + QLatin1Char('/')))
        return false;
    ShowError(QStringLiteral("%1 holds the book's own files; the web edition is not written "
                             "there.")
                  .arg(path));
    return true;
}

} // namespace

bool ExportWebEdition(WorkingState& state, const QString& folder, QStringList* notCarried)
{
    const QString target = QFileInfo(folder).absoluteFilePath();
    if (holdsTheBook(state, target))
        return false;
    filestore::FolderWrite out(target);
    return exportEdition(state, &out, notCarried, [&out](const WebEdition&) { out.commit(); });
}

bool ExportWebEditionFile(WorkingState& state, const QString& file, QStringList* notCarried)
{
    const QFileInfo target(file);
    // In the book's folder only a page of its own: never a file of the book, its pages included.
    const bool bookFolder = QFileInfo(target.absolutePath()).canonicalFilePath() ==
                            QFileInfo(state.ProjectDir).canonicalFilePath();
    const bool ownName =
        target.fileName().endsWith(QLatin1String("-web.html"), Qt::CaseInsensitive) ||
        (!target.exists() && target.suffix().startsWith(QLatin1String("htm"), Qt::CaseInsensitive));
    if (bookFolder && !ownName) {
        ShowError(QStringLiteral("%1 is a file of the book's folder; the web edition is not "
                                 "written over it.")
                      .arg(target.fileName()));
        return false;
    }
    return exportEdition(state, nullptr, notCarried, [&](const WebEdition& edition) {
        const QByteArray page = edition.singlePage();
        filestore::writeAll(target.absoluteFilePath(), page);
        if (notCarried && page.size() > kLargeWebPageSize)
            notCarried->prepend(
                QStringLiteral("%1 is %2 MB: a page this large is slow to open; the web edition "
                               "as a folder opens faster.")
                    .arg(target.fileName())
                    .arg(page.size() / (1024 * 1024)));
    });
}
