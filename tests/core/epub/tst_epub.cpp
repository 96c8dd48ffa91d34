// The EPUB edition: rich text as XHTML, every kind of HyperText link, missing media, non-ASCII
// text, a project left as it was, the test books' EPUBs byte for byte as recorded, and hostile
// web pages and addresses.
#include "epubcheck.h"
#include "messagerecorder.h"
#include "programrun.h"
#include "testbook.h"

#include "core/epub/accessibilityclaim.h"
#include "core/epub/epubexport.h"
#include "core/epub/epubmedia.h"
#include "core/epub/epubwebpage.h"
#include "core/epub/epubxhtml.h"
#include "core/epub/zipwriter.h"
#include "core/richtext/rtfreader.h"
#include "core/sections/alttext.h"
#include "core/sections/booklanguage.h"
#include "core/sections/displaysection.h"
#include "core/sections/hypertext.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

using namespace Qt::StringLiterals;

namespace {

QString xhtmlOf(const QByteArray& rtf, const XhtmlHooks& hooks = {})
{
    QTextDocument document;
    ReadRtf(rtf, document);
    return DocumentToXhtml(document, hooks);
}

// Every file of the folder with its content's hash.
QMap<QString, QByteArray> folderHashes(const QDir& dir)
{
    QMap<QString, QByteArray> hashes;
    for (const QString& name : dir.entryList(QDir::Files))
        hashes[name] =
            QCryptographicHash::hash(readBytes(dir.filePath(name)), QCryptographicHash::Sha1);
    return hashes;
}

// Copies files of the sample book into the book's folder.
void copySamples(const TestBook& book, std::initializer_list<const char*> names)
{
    for (const char* name : names)
        writeBytes(book.dir.filePath(QString::fromLatin1(name)),
                   readBytes(QStringLiteral(QUORELLE_SOURCE_DIR "/resources/sample/") +
                             QLatin1String(name)));
}

// The phrases pop, picture, screen, page and site, of the kinds whose pages hold no sound or
// film, with the sample book's picture, screen and web page.
void addStillLinks(TestBook& book)
{
    copySamples(book, {"SUN.BMP", "SEA.JPG", "PAGE.HTM"});
    const QString file = book.state.HyperTextFile;
    AddDisplayEntry(file, u"pop"_s, 1, DefaultDisplay(), {u"{\\rtf1 A {\\b bold} pop-up.\\par}"_s},
                    kHyperSource);
    AddEntry(file, u"picture"_s, 2, u"SUN.BMP,30"_s, kHyperSource);
    DisplayRecord screen = DefaultDisplay();
    screen.GraphicFile.setText(u"SEA.JPG"_s);
    AddDisplayEntry(file, u"screen"_s, 5, screen, {u"{\\rtf1 Screen text.\\par}"_s}, kHyperSource);
    AddEntry(file, u"page"_s, 10, u"PAGE.HTM"_s, kHyperSource);
    AddEntry(file, u"site"_s, 10, u"https://example.org/a?b=1&c=2"_s, kHyperSource);
}

// A book with a phrase of every kind of link, its media taken from the sample book.
struct LinkBook : TestBook
{
    LinkBook()
    {
        addStillLinks(*this);
        copySamples(*this, {"WAVE.WAV", "TUNE.MID", "FILM.AVI"});
        writeBytes(dir.filePath(u"GAME.SH"_s), "#!/bin/sh\n");
        writeBytes(dir.filePath(u"NOTES.TXT"_s), "notes");
        const QString file = state.HyperTextFile;
        AddEntry(file, u"voice"_s, 3, u"WAVE.WAV"_s, kHyperSource);
        // Another picture (one pixel differs: the same bytes would be stored once) under a name
        // that no package file may have.
        QByteArray summer = readBytes(dir.filePath(u"SUN.BMP"_s));
        summer[summer.size() - 1] = char(summer.back() ^ 0x55);
        writeBytes(dir.filePath(u"Sun #2 \u00e9t\u00e9.bmp"_s), summer);
        AddEntry(file, u"summer"_s, 2, u"Sun #2 \u00e9t\u00e9.bmp"_s, kHyperSource);
        AddEntry(file, u"game"_s, 4, u"GAME.SH,-x"_s, kHyperSource);
        AddEntry(file, u"both"_s, 6, u"SUN.BMP,WAVE.WAV,50"_s, kHyperSource);
        AddEntry(file, u"film"_s, 7, u"FILM.AVI"_s, kHyperSource);
        AddEntry(file, u"tune"_s, 8, u"TUNE.MID"_s, kHyperSource);
        AddEntry(file, u"letter"_s, 9, u"GAME.SH NOTES.TXT"_s, kHyperSource);
        AddEntry(file, u"notes"_s, 13, u"NOTES.TXT"_s, kHyperSource);
        QByteArray text = "{\\rtf1 ";
        for (const char* phrase : {"pop", "picture", "voice", "game", "screen", "both", "film",
                                   "tune", "letter", "page", "site", "notes", "summer"})
            text += QByteArray("See {\\ul ") + phrase + "}.\\par ";
        addChapter("Links", text + "Plain {\\ul underline} only.\\par}");
        addChapter("Again", "{\\rtf1 The {\\ul picture} again, and the {\\ul pop} again.\\par}");
    }

    QString epub() const { return dir.filePath(u"BOOK.epub"_s); }
    QString chapter(int n) const
    {
        return QString::fromUtf8(Unzipped(epub(), u"EPUB/chapter-%1.xhtml"_s.arg(n)));
    }
};

const QString kDigests = QStringLiteral(QUORELLE_SOURCE_DIR "/tests/core/epub/data/same-epub.txt");

// A book of RTF from other programs (headings, lists, tables, links, Japanese) and phrases of the
// kinds whose pages hold no sound or film, whose encoders may stamp the time.
void structureBook(TestBook& book)
{
    addStillLinks(book);
    book.addChapter("Links", "{\\rtf1 See {\\ul pop}, {\\ul picture}, {\\ul screen}, {\\ul page} "
                             "and {\\ul site}; {\\ul nothing}.\\par\\par Again: {\\ul pop}.\\par}");
    for (const char* corpus :
         {"pandoc/writer.rtf", "tika/testRTFJapanese.rtf", "tika/testRTFVarious.rtf"})
        book.addChapter(QFileInfo(QString::fromLatin1(corpus)).baseName(),
                        readBytes(QStringLiteral(QUORELLE_CORPUS_DIR "/") + QLatin1String(corpus)));
}

// One chapter of many short paragraphs, each with a phrase, as the RTF benchmark's chapter is.
void denseBook(TestBook& book)
{
    const QString file = book.state.HyperTextFile;
    AddDisplayEntry(file, u"note"_s, 1, DefaultDisplay(), {u"{\\rtf1 A note.\\par}"_s},
                    kHyperSource);
    AddEntry(file, u"harbour"_s, 10, u"https://example.org/harbour"_s, kHyperSource);
    QByteArray text = "{\\rtf1\\ansi{\\fonttbl{\\f0 Times New Roman;}}\\f0\\fs24 ";
    const char* phrases[] = {"note", "harbour", "no link", "the note"};
    for (int i = 0; i < 2000; ++i)
        text += "Paragraph " + QByteArray::number(i) + " with {\\ul " + phrases[i % 4] +
                "} and {\\b bold} words.\\par ";
    book.addChapter("Dense", text + "}");
}

// Every file of the archive with its digest, the package's modification date left out.
QStringList digests(const QString& book, const QString& epub)
{
    static const QRegularExpression modified(u"<meta property=\"dcterms:modified\">[^<]*</meta>"_s);
    QStringList lines;
    for (const QString& name : ArchiveNames(epub)) {
        QByteArray bytes = Unzipped(epub, name);
        if (name == QLatin1String("EPUB/package.opf"))
            bytes = QString::fromUtf8(bytes).remove(modified).toUtf8();
        lines << book + u' ' + name + u' ' +
                     QString::fromLatin1(
                         QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex());
    }
    return lines;
}

// A book of one chapter whose phrase "page" opens the book's web page PAGE.HTM. The hostile
// pages go through the batch builder as an author's script runs it: it ends with an EPUB or a
// message, within bounds, and takes nothing from outside the book's folder.
struct PageBook : TestBook
{
    explicit PageBook(const QByteArray& page)
    {
        writeBytes(dir.filePath(u"PAGE.HTM"_s), page);
        AddEntry(state.HyperTextFile, u"page"_s, 10, u"PAGE.HTM"_s, kHyperSource);
        addChapter("One", "{\\rtf1 See the {\\ul page}.\\par}");
    }

    ProgramRun build(const QString& out) const
    {
        return RunBuildTool({dir.filePath(u"BOOK.QVJ"_s), u"--epub"_s, out});
    }
};

QByteArray bmpBytes()
{
    return readBytes(QStringLiteral(QUORELLE_SOURCE_DIR "/resources/sample/SUN.BMP"));
}

} // namespace

class EpubTest : public QObject
{
    Q_OBJECT

private slots:
    void xhtml_keepsParagraphsAndRuns()
    {
        const QString xhtml = xhtmlOf("{\\rtf1{\\fonttbl{\\f0 Times New Roman;}{\\f1 Courier "
                                      "New;}}{\\colortbl;\\red255\\green0\\blue0;}"
                                      "\\f0\\fs24 Body text that sets the base font.\\par"
                                      "\\pard\\qc Centred\\par"
                                      "\\pard\\li720\\ri360\\fi-360 Indented\\par"
                                      "\\pard\\qj {\\b Bold} {\\i italic} {\\strike gone} {\\f1 "
                                      "code} {\\fs36 big} {\\cf1 red}\\line next\\par"
                                      "\\pard\\qr a < b & \"c\"\\par}");
        QVERIFY2(xhtml.startsWith(QStringLiteral(
                     "<div style=\"font-family: 'Times New Roman', serif; font-size: 12pt\">")),
                 qPrintable(xhtml));
        for (const char* fragment :
             {"<p style=\"text-align: center\">Centred</p>",
              "<p style=\"margin-left: 36pt; margin-right: 18pt; text-indent: -18pt\">Indented</p>",
              "<span style=\"font-weight: bold\">Bold</span>",
              "<span style=\"font-style: italic\">italic</span>",
              "<span style=\"text-decoration: line-through\">gone</span>",
              "<span style=\"font-family: 'Courier New', monospace\">code</span>",
              "<span style=\"font-size: 18pt\">big</span>",
              // red on white is darkened until it can be read
              "<span style=\"color: #e60000\">red</span>", "<br/>next",
              "<p style=\"text-align: right\">a &lt; b &amp; &quot;c&quot;</p>",
              "<p style=\"text-align: justify\">"})
            QVERIFY2(xhtml.contains(QString::fromUtf8(fragment)), fragment);
        const char16_t surrogates[] = {u'a', 0xD800, u'b', 0xD83D, 0xDE00, 0xE000, 0};
        QCOMPARE(XmlEscaped(QString::fromUtf16(surrogates)),
                 QString::fromUtf16(u"ab\U0001F600\uE000")); // a lone half is left out
        // Long text is scanned eight units at a time: each kind of unit at every place of it.
        const QList<std::pair<char16_t, QString>> kinds = {
            {u'&', u"&amp;"_s}, {u'<', u"&lt;"_s},   {u'>', u"&gt;"_s},   {u'"', u"&quot;"_s},
            {0x01, QString()},  {0x1F, QString()},   {u'\t', u"\t"_s},    {u'\n', u"\n"_s},
            {u' ', u" "_s},     {0xD800, QString()}, {0xFFFE, QString()}, {0xE000, u"\uE000"_s}};
        for (const auto& [unit, escaped] : kinds) {
            for (int at = 0; at < 20; ++at) {
                QString text(20, u'x');
                text[at] = QChar(unit);
                const QString expected = QString(at, u'x') + escaped + QString(19 - at, u'x');
                QCOMPARE(XmlEscaped(text), expected);
            }
        }
    }

    void xhtml_keepsTheStructure()
    {
        const QString xhtml = xhtmlOf(
            "{\\rtf1{\\stylesheet{\\s1\\outlinelevel0 heading 1;}}\\pard\\s1 Title\\par"
            "\\pard\\sb240\\sa120 Spaced H{\\sub 2}O and x{\\super 2}\\par\\pard\\par\\par"
            "\\pard\\fi-360 Hanging\\par"
            "{\\listtext 1.\\tab}\\pard\\ls1 one\\par{\\listtext o\\tab}\\pard\\ls2\\ilvl1 "
            "inner\\par"
            "{\\listtext 2.\\tab}\\pard\\ls1 two\\par"
            "\\trowd\\trhdr\\cellx1000\\cellx2000\\pard\\intbl Name\\cell Value\\cell\\row"
            "\\trowd\\cellx1000\\cellx2000\\pard\\intbl a\\cell b\\cell\\row"
            "\\pard {\\field{\\*\\fldinst HYPERLINK \"https://example.org/\"}{\\fldrslt site}} "
            "{\\field{\\*\\fldinst HYPERLINK \"javascript:alert(1)\"}{\\fldrslt script}}\\par"
            "\\trowd\\clbrdrt\\brdrs\\brdrw30\\clbrdrr\\brdrs\\cellx1000\\cellx2000\\pard"
            "\\intbl a\\cell b\\cell\\row}");
        for (const char* fragment :
             {"<h1>Title</h1>",
              "<p style=\"margin-top: 12pt; margin-bottom: 6pt\">Spaced H<sub>2</sub>O "
              "and x<sup>2</sup></p>",
              // two blank lines are space above the next paragraph; a hanging line is not cut off
              "<p style=\"margin-top: 28.8pt; margin-left: 18pt; text-indent: -18pt\">Hanging</p>",
              "<ol>\n<li>one<ul style=\"list-style-type: circle\">\n<li>inner</li>\n</ul>\n</li>\n"
              "<li>two</li>\n</ol>",
              "<table>\n<tr><th scope=\"col\"><p>Name</p>\n</th><th scope=\"col\"><p>Value</p>\n"
              "</th></tr>\n<tr><td><p>a</p>\n</td><td><p>b</p>\n</td></tr>\n</table>",
              "<p><a href=\"https://example.org/\">site</a> script</p>",
              // a table's cell borders become CSS; a table without them has no lines (above)
              "<table style=\"border-collapse: collapse\">\n<tr><td style=\"border-top: 2px "
              "solid; border-right: 1px solid\"><p>a</p>\n</td><td><p>b</p>"})
            QVERIFY2(xhtml.contains(QString::fromUtf8(fragment)), qPrintable(xhtml));
        QVERIFY(!xhtml.contains(u"&#160;"_s));

        QTextDocument japanese;
        ReadRtf("{\\rtf1\\lang1041 \\u26085?\\u26412?\\u35486?{\\lang1033 ok}\\par}", japanese);
        QCOMPARE(DominantLanguage(japanese, u"en"_s), u"ja"_s);
        QTextDocument english;
        ReadRtf("{\\rtf1 plain {\\lang1041 \\u26085?}\\par}", english);
        QCOMPARE(DominantLanguage(english, u"en"_s), u"en"_s);

        QFile word(QStringLiteral(QUORELLE_CORPUS_DIR "/tika/testRTFTableCellSeparation.rtf"));
        if (!word.open(QIODevice::ReadOnly))
            QSKIP("no RTF corpus here");
        QVERIFY(xhtmlOf(word.readAll()).contains(u"border-top: 1px solid"_s));
    }

    // Text typed in the editor carries no language: it is the book's, unless it is written in a
    // script the book's language is not.
    void unmarkedText_takesTheLanguageOfItsScript_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("book");
        QTest::addColumn<QString>("language");
        const QString russian = u"\u0422\u0438\u0445\u043E\u0435 \u043C\u043E\u0440\u0435"_s;
        QTest::newRow("Russian in an English book") << russian << u"en"_s << u"ru"_s;
        QTest::newRow("Cyrillic in a Ukrainian book") << russian << u"uk"_s << u"uk"_s;
        QTest::newRow("Latin in a Russian book") << u"sea"_s << u"ru"_s << u"ru"_s;
        QTest::newRow("Greek") << u"\u03B8\u03AC\u03BB\u03B1\u03C3\u03C3\u03B1"_s << u"en"_s
                               << u"el"_s;
        QTest::newRow("kanji then kana") << u"\u6D77\u306E\u4E0A"_s << u"en-GB"_s << u"ja"_s;
        QTest::newRow("Han alone") << u"\u6D77\u4E0A"_s << u"en"_s << u"zh"_s;
        QTest::newRow("Han in a Japanese book") << u"\u6D77\u4E0A"_s << u"ja"_s << u"ja"_s;
        QTest::newRow("digits only") << u"1914"_s << u"fr"_s << u"fr"_s;
    }
    void unmarkedText_takesTheLanguageOfItsScript()
    {
        QFETCH(QString, text);
        QFETCH(QString, book);
        QTEST(UnmarkedTextLanguage(text, book), "language");
        QTextDocument typed;
        typed.setPlainText(text + u"\n"_s + text);
        QTEST(DominantLanguage(typed, book), "language");
    }

    void xhtml_picturesAndPhrasesGoThroughTheHooks()
    {
        QImage red(4, 3, QImage::Format_RGB32);
        red.fill(Qt::red);
        const QByteArray png = PngBytes(red).toHex();
        QStringList asked;
        XhtmlHooks hooks;
        hooks.picture = [&png](const QImage& image, const QByteArray& file) {
            return image.size() == QSize(4, 3) && file.toHex() == png ? u"media/p.png"_s
                                                                      : QString();
        };
        hooks.link = [&asked](const QString& phrase) {
            asked << phrase;
            if (phrase == QLatin1String("sea"))
                return XhtmlLink{u"#note-1"_s, true, {}, {}};
            if (phrase == QLatin1String("the ship"))
                return XhtmlLink{u"link-1.xhtml"_s, false, u"ref-1"_s, {}};
            return XhtmlLink{};
        };
        const QString xhtml = xhtmlOf("{\\rtf1 A {\\ul sea} and {\\ul the ship} and {\\ul none}."
                                      "{\\pict\\pngblip\\picw4\\pich3 " +
                                          png + "}\\par}",
                                      hooks);
        QCOMPARE(asked, (QStringList{u"sea"_s, u"the ship"_s, u"none"_s}));
        QVERIFY2(xhtml.contains(QStringLiteral(
                     "<a epub:type=\"noteref\" role=\"doc-noteref\" href=\"#note-1\"><span "
                     "style=\"text-decoration: "
                     "underline\">sea</span></a>")),
                 qPrintable(xhtml));
        QVERIFY(xhtml.contains(u"<a id=\"ref-1\" href=\"link-1.xhtml\">"_s));
        QVERIFY(xhtml.contains(u"<span style=\"text-decoration: underline\">none</span>."_s));
        QVERIFY(!xhtml.contains(u"<a>"_s));
        QVERIFY(xhtml.contains(u"<img src=\"media/p.png\" alt=\"\" width=\"4\" height=\"3\"/>"_s));
    }

    void export_everyKindOfLink()
    {
        ModelDoubles doubles;
        LinkBook book;
        const QMap<QString, QByteArray> before = folderHashes(QDir(book.dir.path()));
        QStringList notCarried;
        QVERIFY(ExportEpub(book.state, book.epub(), &notCarried));
        QCOMPARE(
            notCarried,
            (QStringList{QStringLiteral("Programs: the EPUB cannot start programs; their links "
                                        "lead to a note."),
                         QStringLiteral("Notepad files: the EPUB cannot open the notepad; "
                                        "their links lead to a note."),
                         u"1 HyperText phrase has no link: underline"_s}));
        QMap<QString, QByteArray> after = folderHashes(QDir(book.dir.path()));
        after.remove(u"BOOK.epub"_s);
        QCOMPARE(after, before);

        const QString links = book.chapter(1);
        QCOMPARE(links.count(u"<a "_s), 13);
        QVERIFY(links.contains(
            u"<aside epub:type=\"footnote\" role=\"doc-footnote\" id=\"note-1\">"_s));
        QVERIFY(links.contains(u"<section epub:type=\"chapter\" role=\"doc-chapter\">\n"
                               "<h1 class=\"chapter-title\">Links</h1>"_s));
        QVERIFY(links.contains(u"<span style=\"font-weight: bold\">bold</span>"_s));
        QVERIFY(links.contains(u"href=\"https://example.org/a?b=1&amp;c=2\""_s));
        // The second chapter has the picture's page of its own, so that Back leads to it, and
        // a footnote of its own.
        const QString again = book.chapter(2);
        QVERIFY(again.contains(u"<a id=\"ref-12\" href=\"link-12.xhtml\">"_s));
        QVERIFY(again.contains(u"epub:type=\"noteref\" role=\"doc-noteref\" href=\"#note-2\""_s));

        const auto page = [&](int n) {
            return QString::fromUtf8(Unzipped(book.epub(), u"EPUB/link-%1.xhtml"_s.arg(n)));
        };
        const QList<QList<const char*>> expected = {
            {"<img src=\"media/SUN.png\" alt=\"picture\"/>",
             "<a href=\"chapter-1.xhtml#ref-1\">Back</a>"},
            {"<audio controls=\"controls\" src=\"media/WAVE.mp3\" aria-label=\"voice\">"},
            {"This link starts the program GAME.SH in the executable edition of this book."},
            {"<img src=\"media/SEA.jpg\"", "Screen text."},
            {"<img src=\"media/SUN.png\"", "media/WAVE.mp3"},
            {"<video controls=\"controls\" src=\"media/FILM.webm\" aria-label=\"film\">"},
            {"<audio controls=\"controls\" src=\"media/TUNE.mp3\" aria-label=\"tune\">"},
            {"This link starts the program GAME.SH in the executable edition of this book."},
            {"<span style=\"font-weight: bold\">The Harbour</span></h1>",
             "A page the book opens in the web browser."},
            {"This link opens the notepad with NOTES.TXT in the executable edition of this book."},
            {"<img src=\"media/SUN__2__T_.png\""},
            {"<img src=\"media/SUN.png\"", "<a href=\"chapter-2.xhtml#ref-12\">Back</a>"},
        };
        for (int n = 1; n <= expected.size(); ++n) {
            for (const char* fragment : expected.at(n - 1))
                QVERIFY2(page(n).contains(QString::fromUtf8(fragment)), qPrintable(page(n)));
        }
        const QByteArray package = Unzipped(book.epub(), u"EPUB/package.opf"_s);
        for (const char* item :
             {"media-type=\"image/png\"", "media-type=\"image/jpeg\"", "media-type=\"audio/mpeg\"",
              "media-type=\"video/webm\"",
              // each chapter's pages after it, out of the reading order
              "<itemref idref=\"chapter-1\"/>\n<itemref idref=\"link-1\" linear=\"no\"/>",
              "<itemref idref=\"link-11\" linear=\"no\"/>\n<itemref idref=\"chapter-2\"/>\n"
              "<itemref idref=\"link-12\" linear=\"no\"/>",
              // pictures, sounds and films, each described only by its phrase: no claim
              "<meta property=\"schema:accessMode\">auditory</meta>",
              "<meta property=\"schema:accessModeSufficient\">textual,visual,auditory</meta>",
              "<meta property=\"schema:accessibilityFeature\">alternativeText</meta>",
              "<meta property=\"schema:accessibilityHazard\">unknown</meta>"})
            QVERIFY2(package.contains(item), item);
        QVERIFY(!package.contains("conformsTo"));
        QCOMPARE(package.count("media/SUN.png"), 1);
        QCOMPARE(Unzipped(book.epub(), u"EPUB/media/SEA.jpg"_s),
                 readBytes(book.dir.filePath(u"SEA.JPG"_s)));
        QVERIFY(EpubcheckAccepts(book.epub()));
    }

    // A missing or broken medium, or no chapter at all: refused with the message, nothing written.
    void export_refusedBooks_writeNothing()
    {
        ModelDoubles doubles;
        LinkBook book;
        writeBytes(book.epub(), "an older edition");
        QFile::remove(book.dir.filePath(u"WAVE.WAV"_s));
        QVERIFY(!ExportEpub(book.state, book.epub()));
        QCOMPARE(doubles.messages.texts(), QStringList{u"The file WAVE.WAV is missing."_s});
        QCOMPARE(readBytes(book.epub()), QByteArray("an older edition"));
        doubles.messages.clear();

        writeBytes(book.dir.filePath(u"WAVE.WAV"_s), "RIFF but not a sound at all");
        QVERIFY(!ExportEpub(book.state, book.epub()));
        const QStringList texts = doubles.messages.texts();
        QCOMPARE(texts.size(), 1);
        QVERIFY2(texts.first().startsWith(u"The file WAVE.WAV could not be converted: "_s) &&
                     !texts.first().contains(u"ERROR"_s),
                 qPrintable(texts.first()));
        QCOMPARE(readBytes(book.epub()), QByteArray("an older edition"));
        doubles.messages.clear();

        TestBook empty;
        QVERIFY(!ExportEpub(empty.state, empty.dir.filePath(u"BOOK.epub"_s)));
        QCOMPARE(doubles.messages.texts(), QStringList{u"The E-Book has no chapters."_s});
        QVERIFY(!QFileInfo::exists(empty.dir.filePath(u"BOOK.epub"_s)));
    }

    // A book whose pictures and sounds all have the author's words claims conformance; the
    // words stand for the picture and beside the sound, and the claim names its author.
    void export_describedMedia_claimConformance()
    {
        ModelDoubles doubles;
        TestBook book;
        book.state.Project.Presentation.About.AuthorText.setText(u"Zo\u00eb"_s);
        WriteProject(book.state);
        copySamples(book, {"SUN.BMP", "WAVE.WAV"});
        const QString file = book.state.HyperTextFile;
        AddEntry(file, u"picture"_s, 2, u"SUN.BMP,30"_s, kHyperSource);
        AddEntry(file, u"voice"_s, 3, u"WAVE.WAV"_s, kHyperSource);
        WriteAltText(file, u"picture"_s, u"A red sun over a calm sea"_s);
        WriteAltText(file, u"voice"_s, u"Waves break on the shore"_s);
        book.addChapter("Described", "{\\rtf1 The {\\ul picture} and the {\\ul voice}.\\par}");
        const QString epub = book.dir.filePath(u"BOOK.epub"_s);
        QVERIFY(ExportEpub(book.state, epub));
        const QString picture = QString::fromUtf8(Unzipped(epub, u"EPUB/link-1.xhtml"_s));
        QVERIFY(picture.contains(u"alt=\"A red sun over a calm sea\"/>"_s));
        const QString voice = QString::fromUtf8(Unzipped(epub, u"EPUB/link-2.xhtml"_s));
        QVERIFY(voice.contains(
            u"</audio></p>\n<p class=\"description\">Waves break on the shore</p>"_s));
        // Until the author says the book was checked, it states what it holds and claims nothing.
        QByteArray package = Unzipped(epub, u"EPUB/package.opf"_s);
        QVERIFY(package.contains("<meta property=\"schema:accessModeSufficient\">textual</meta>"));
        QVERIFY(!package.contains("conformsTo") && !package.contains("certifiedBy"));
        QVERIFY(package.contains("does not claim conformance"));

        WriteAccessibilityCheckedBy(file, u"Zo\u00eb\nNg"_s);
        QCOMPARE(AccessibilityCheckedBy(file), std::optional(u"Zo\u00eb Ng"_s));
        QVERIFY(ExportEpub(book.state, epub));
        package = Unzipped(epub, u"EPUB/package.opf"_s);
        for (const char* item :
             {"<meta property=\"schema:accessModeSufficient\">textual</meta>",
              "<meta property=\"dcterms:conformsTo\">EPUB Accessibility 1.1 - WCAG 2.1 Level "
              "AA</meta>",
              "<meta property=\"a11y:certifiedBy\">Zo\xc3\xab Ng</meta>"})
            QVERIFY2(package.contains(item), item);
        QVERIFY(EpubcheckAccepts(epub));
    }

    // A Russian book: names, title and author in Cyrillic, two phrases of one length with a
    // link each, an Arabic paragraph right to left and a Japanese run marked as Japanese; and a
    // chapter whose name and RTF are Windows-1252. The EPUB holds them all in UTF-8.
    void export_anyScript()
    {
        ModelDoubles doubles;
        TestBook book;
        book.state.Project.Config.BookTitle.setText(u"Белые ночи"_s);
        book.state.Project.Presentation.About.AuthorText.setText(u"Фёдор Достоевский"_s);
        WriteProject(book.state);
        WriteBookLanguage(book.state.HyperTextFile, u"ru"_s);
        AddDisplayEntry(book.state.HyperTextFile, u"Белые ночи"_s, 1, DefaultDisplay(),
                        {u"{\\rtf1 \\u1041?\\u1077?\\par}"_s}, kHyperSource);
        AddDisplayEntry(book.state.HyperTextFile, u"Тихое море"_s, 1, DefaultDisplay(),
                        {u"{\\rtf1 \\u1058?\\u1080?\\par}"_s}, kHyperSource);
        book.addChapter(u"Первая глава"_s,
                        "{\\rtf1\\ansi {\\ul \\u1041?\\u1077?\\u1083?\\u1099?\\u1077? "
                        "\\u1085?\\u1086?\\u1095?\\u1080?} \\u1080? {\\ul \\u1058?\\u1080?\\u1093?"
                        "\\u1086?\\u1077? \\u1084?\\u1086?\\u1088?\\u1077?}\\par"
                        "\\pard\\rtlpar\\lang1025 \\u1605?\\u1585?\\u1581?\\u1576?\\u1575?\\par"
                        "\\pard\\lang1049 {\\langfe1041 \\u26085?\\u26412?}\\par}");
        AddDisplayEntry(book.state.HyperTextFile, u"naïve"_s, 1, DefaultDisplay(),
                        {u"{\\rtf1 D\\'e9j\\'e0 vu\\par}"_s}, kHyperSource);
        book.addChapter("Entr\xe9"
                        "e",
                        "{\\rtf1\\ansi\\ansicpg1252 Un {\\ul na\\'efve} r\\'eave.\\par}");
        const QString epub = book.dir.filePath(u"BOOK.epub"_s);
        QVERIFY(ExportEpub(book.state, epub));
        const QString package = QString::fromUtf8(Unzipped(epub, u"EPUB/package.opf"_s));
        for (const QString& part :
             {u"<dc:title>Белые ночи</dc:title>"_s, u"<dc:creator>Фёдор Достоевский</dc:creator>"_s,
              u"<dc:language>ru</dc:language>"_s, u"xml:lang=\"ru\">"_s})
            QVERIFY2(package.contains(part), qPrintable(part));
        const QString chapter = QString::fromUtf8(Unzipped(epub, u"EPUB/chapter-1.xhtml"_s));
        for (const QString& part :
             {u"xml:lang=\"ru\" lang=\"ru\""_s, u"<title>Первая глава</title>"_s,
              u"<p dir=\"rtl\"><span xml:lang=\"ar\" lang=\"ar\">مرحبا</span></p>"_s,
              u"<span xml:lang=\"ja\" lang=\"ja\">日本</span>"_s})
            QVERIFY2(chapter.contains(part), qPrintable(chapter));
        // Each phrase its own pop-up, with its own text.
        const QRegularExpression notes(u"href=\"([^\"#]*)#([^\"]*)\""_s);
        QStringList targets;
        for (const auto& match : notes.globalMatch(chapter))
            targets << match.captured(0);
        QCOMPARE(targets.size(), 2);
        QVERIFY(targets.at(0) != targets.at(1));
        const QString latin = QString::fromUtf8(Unzipped(epub, u"EPUB/chapter-2.xhtml"_s));
        for (const QString& part :
             {u"<title>Entrée</title>"_s, u"naïve</span></a>"_s, u"Déjà vu"_s})
            QVERIFY2(latin.contains(part), qPrintable(latin));
        const QString nav = QString::fromUtf8(Unzipped(epub, u"EPUB/nav.xhtml"_s));
        QVERIFY(nav.contains(u">Первая глава</a>"_s));
        QVERIFY(nav.contains(u"<a href=\"chapter-2.xhtml\">Entrée</a>"_s));
        QVERIFY(EpubcheckAccepts(epub));
    }

    // Past 65,534 files the archive counts them in its ZIP64 records: unzip lists and tests
    // every one, at the exact count, and at 65,534 the classic records suffice.
    void zip_manyFilesCountedByZip64()
    {
        for (const int files : {0xfffe, 70000}) {
            QTemporaryDir dir;
            const QString name = dir.filePath(u"many.zip"_s);
            QFile out(name);
            QVERIFY(out.open(QIODevice::WriteOnly));
            ZipWriter zip(out);
            const ZipWriter::Packed text = ZipWriter::pack("x");
            for (int i = 0; i < files; ++i)
                QVERIFY(zip.add(QString::number(i), text));
            QVERIFY(zip.finish());
            out.close();
            QVERIFY(readBytes(name).contains("PK\x06\x06") == (files > 0xfffe));
            QProcess unzip;
            unzip.start(u"unzip"_s, {u"-tq"_s, name});
            QVERIFY(unzip.waitForFinished(120000));
            QCOMPARE(unzip.exitCode(), 0);
            QVERIFY2(unzip.readAllStandardOutput().contains("No errors detected"), "unzip -t");
            QCOMPARE(ArchiveNames(name).size(), files);
        }
    }

    void aviSoundTrack_isFoundInTheStreamHeaders()
    {
        QVERIFY(!AviHasSound(
            readBytes(QStringLiteral(QUORELLE_SOURCE_DIR "/resources/sample/FILM.AVI"))));
        QVERIFY(AviHasSound(
            QByteArray("RIFF....AVI LIST....hdrlstrh\x38\0\0\0vids....strh\x38\0\0\0auds", 52)));
        QVERIFY(!AviHasSound("strh"));
    }

    // The EPUB of the test books stays byte for byte what it was when the export was made
    // faster: each file of the archive against the digest recorded in data/same-epub.txt (the
    // package's modification date aside). QUORELLE_WRITE_DIGESTS=1 records them again after a
    // change that is meant to show.
    void testBooks_sameBytesAsRecorded()
    {
        if (!QFile::exists(QStringLiteral(QUORELLE_CORPUS_DIR "/pandoc/writer.rtf")))
            QSKIP("no RTF corpus here");
        ModelDoubles doubles;
        QStringList got;
        for (const auto& [name, make] :
             {std::pair{u"structure"_s, &structureBook}, std::pair{u"dense"_s, &denseBook}}) {
            TestBook book;
            make(book);
            const QString epub = book.dir.filePath(u"BOOK.epub"_s);
            QVERIFY(ExportEpub(book.state, epub));
            got << digests(name, epub);
        }
        if (qEnvironmentVariableIsSet("QUORELLE_WRITE_DIGESTS")) {
            writeBytes(kDigests, (got.join(u'\n') + u'\n').toUtf8());
            QSKIP("digests recorded");
        }
        const QStringList recorded =
            QString::fromUtf8(readBytes(kDigests)).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(got, recorded);
    }

    // Code and preformatted text, and pictures named by path, file: and data: addresses: the
    // batch builder lays the page out (it had crashed), and only the book's own picture is taken,
    // stored once though a link shows it too. Only http, https and mailto addresses become links;
    // a script or a file of the reader's machine is left out and reported. A picture is judged by
    // what it holds: a bitmap named .JPG goes in as PNG, not as JPEG.
    void webPage_addressesAndPictures_onlyTheBooksOwnTaken()
    {
        CurrentTempDir outside;
        writeBytes(outside.filePath(u"private.bmp"_s), bmpBytes());
        const QByteArray others = QFile::encodeName(outside.filePath(u"private.bmp"_s));
        PageBook book("<html><body><h1>Harbour</h1><pre>one  two</pre><p><code>x</code> <tt>y</tt> "
                      "<kbd>z</kbd></p><p><img src=\"SUN.BMP\"/><img src=\"" +
                      others + "\"/><img src=\"file://" + others +
                      "\"/><img src=\"data:image/bmp;base64," + bmpBytes().toBase64() +
                      "\"/></p></body></html>");
        writeBytes(book.dir.filePath(u"SUN.BMP"_s), bmpBytes());
        QByteArray fake = bmpBytes(); // one pixel differs: the same bytes would be stored once
        fake[fake.size() - 1] = char(fake.back() ^ 0x55);
        writeBytes(book.dir.filePath(u"FAKE.JPG"_s), fake);
        const QString file = book.state.HyperTextFile;
        AddEntry(file, u"sun"_s, 2, u"SUN.BMP,30"_s, kHyperSource);
        AddEntry(file, u"run"_s, 10, u"javascript://alert(1)"_s, kHyperSource);
        AddEntry(file, u"disk"_s, 10, u"file:///etc/passwd"_s, kHyperSource);
        AddEntry(file, u"mail"_s, 10, u"mailto:author@example.org"_s, kHyperSource);
        AddEntry(file, u"fake"_s, 2, u"FAKE.JPG,30"_s, kHyperSource);
        book.addChapter("Two",
                        "{\\rtf1 {\\ul sun} {\\ul run} {\\ul disk} {\\ul mail} {\\ul fake}\\par}");
        const QString epub = book.dir.filePath(u"BOOK.epub"_s);
        const ProgramRun built = book.build(epub);
        QCOMPARE(built.exitCode, 0);
        QCOMPARE(built.err.split(u'\n', Qt::SkipEmptyParts),
                 (QStringList{u"The EPUB e-book %1 has been created."_s.arg(epub),
                              QStringLiteral("The address javascript://alert(1) is not a web "
                                             "address; its link was left out."),
                              QStringLiteral("The address file:///etc/passwd is not a web "
                                             "address; its link was left out.")}));
        QCOMPARE(ArchiveNames(epub).filter(u"EPUB/media/"_s),
                 (QStringList{u"EPUB/media/picture.png"_s, u"EPUB/media/FAKE.png"_s}));
        const QString page = QString::fromUtf8(Unzipped(epub, u"EPUB/link-1.xhtml"_s));
        QVERIFY2(page.contains(u"one  two"_s) || page.contains(u"one"_s), qPrintable(page));
        const QString chapter = QString::fromUtf8(Unzipped(epub, u"EPUB/chapter-2.xhtml"_s));
        QVERIFY(!chapter.contains(u"javascript"_s));
        QVERIFY(!chapter.contains(u"file:"_s));
        QVERIFY(chapter.contains(u"href=\"mailto:author@example.org\""_s));
        QVERIFY(EpubcheckAccepts(epub));
    }

    // Deep nesting would cost time growing with the square of the depth: such a page is left
    // out at once, with a message, and the rest of the book is exported; the project is not
    // written over by the EPUB.
    void webPage_deepNestingAndTheProjectFile()
    {
        QByteArray deep = "<html><body>";
        for (int i = 0; i < 10000; ++i)
            deep += "<div>";
        PageBook book(deep + "x</body></html>");
        QElapsedTimer clock;
        clock.start();
        const QString epub = book.dir.filePath(u"BOOK.epub"_s);
        const ProgramRun built = book.build(epub);
        QCOMPARE(built.exitCode, 0);
        QVERIFY(clock.elapsed() < 30000);
        QVERIFY2(built.err.contains(QStringLiteral("The web page PAGE.HTM nests its elements more "
                                                   "than 256 deep; it is not carried over.")),
                 qPrintable(built.err));
        const QString page = QString::fromUtf8(Unzipped(epub, u"EPUB/link-1.xhtml"_s));
        QVERIFY2(page.contains(u"opens the web page PAGE.HTM in the executable edition"_s),
                 qPrintable(page));
        QVERIFY(EpubcheckAccepts(epub));

        const QByteArray project = book.projectBytes();
        const ProgramRun refused = book.build(book.dir.filePath(u"BOOK.QVJ"_s));
        QCOMPARE(refused.exitCode, 1);
        QVERIFY2(refused.err.contains(QStringLiteral(
                     "BOOK.QVJ is a file of the book's folder; the EPUB is not written over it.")),
                 qPrintable(refused.err));
        QCOMPARE(book.projectBytes(), project);

        QCOMPARE(NestingDepth(u"<div><p>a<p>b<br><img src=x/><div></div></div>"_s), 2);
        QCOMPARE(NestingDepth(u"<!-- <div> --> a < b <ul><li>x</ul>"_s), 2);
    }
};

QTEST_GUILESS_MAIN(EpubTest)
#include "tst_epub.moc"
