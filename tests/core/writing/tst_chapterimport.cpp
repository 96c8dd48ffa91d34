// Chapters imported from Word and OpenDocument (through pandoc) and from Markdown and HTML
// (through Qt's readers): their structure and languages kept, their underlined phrases counted
// as HyperText, damaged and missing files refused with a message.
#include "programrun.h"
#include "testdir.h"

#include "core/epub/zipreader.h"
#include "core/epub/zipwriter.h"
#include "core/richtext/languagetags.h"
#include "core/richtext/rtfreader.h"
#include "core/writing/chapterimport.h"

#include <QBuffer>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

using namespace Qt::StringLiterals;

namespace {

const QByteArray kManuscript = "# Harbour\n\nThe *ship* left the **harbour**. [Tide]{.underline} "
                               "and [quay]{.underline}.\n\n- one\n- two\n\n| a | b |\n|---|---|\n"
                               "| 1 | 2 |\n\nУтро на море.\n";

// The manuscript as pandoc itself writes it in the word processor's format.
QString writtenByPandoc(const QTemporaryDir& dir, const QString& format)
{
    writeBytes(dir.filePath(u"manuscript.md"_s), kManuscript);
    const QString out = dir.filePath(u"manuscript."_s + format);
    if (RunProgram(u"pandoc"_s, {u"--from=markdown"_s, u"--to="_s + format, u"--output="_s + out,
                                 dir.filePath(u"manuscript.md"_s)})
            .exitCode != 0)
        qFatal("pandoc could not write %s", qPrintable(out));
    return out;
}

// Ends the archive and writes it as the file.
QString finished(ZipWriter& zip, const QBuffer& archive, const QString& file)
{
    zip.finish();
    writeBytes(file, archive.data());
    return file;
}

// A .docx made from its parts, as another word processor writes one: a heading, a bold run, an
// underlined phrase and a Greek run.
QString builtFromParts(const QTemporaryDir& dir)
{
    QBuffer archive;
    archive.open(QIODevice::WriteOnly);
    ZipWriter zip(archive);
    zip.add(u"[Content_Types].xml"_s,
            "<?xml version=\"1.0\"?><Types xmlns=\"http://schemas.openxmlformats.org/package/2006/"
            "content-types\"><Default Extension=\"rels\" ContentType=\"application/"
            "vnd.openxmlformats-package.relationships+xml\"/><Default Extension=\"xml\" "
            "ContentType=\"application/xml\"/><Override PartName=\"/word/document.xml\" "
            "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml."
            "document.main+xml\"/></Types>");
    zip.add(u"_rels/.rels"_s,
            "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/"
            "package/2006/relationships\"><Relationship Id=\"rId1\" Type=\"http://"
            "schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
            "Target=\"word/document.xml\"/></Relationships>");
    zip.add(u"word/document.xml"_s,
            "<?xml version=\"1.0\"?><w:document xmlns:w=\"http://schemas.openxmlformats.org/"
            "wordprocessingml/2006/main\"><w:body><w:p><w:r><w:rPr><w:b/></w:rPr><w:t>Bold"
            "</w:t></w:r><w:r><w:t xml:space=\"preserve\"> and </w:t></w:r><w:r><w:rPr><w:u "
            "w:val=\"single\"/></w:rPr><w:t>linked words</w:t></w:r><w:r><w:rPr><w:lang "
            "w:val=\"de-DE\"/></w:rPr><w:t xml:space=\"preserve\"> Das Schiff</w:t></w:r>"
            "</w:p><w:p><w:r><w:rPr><w:lang w:val=\"el-GR\"/></w:rPr><w:t>"
            "\xce\x98\xce\xac\xce\xbb\xce\xb1\xcf\x83\xcf\x83\xce\xb1</w:t></w:r></w:p>"
            "</w:body></w:document>");
    zip.add(u"word/styles.xml"_s,
            "<?xml version=\"1.0\"?><w:styles xmlns:w=\"http://schemas.openxmlformats.org/"
            "wordprocessingml/2006/main\"><w:docDefaults><w:rPrDefault><w:rPr><w:lang "
            "w:val=\"en-GB\" w:eastAsia=\"ja-JP\"/></w:rPr></w:rPrDefault></w:docDefaults>"
            "</w:styles>");
    return finished(zip, archive, dir.filePath(u"parts.docx"_s));
}

// An .odt made from its parts: the paragraphs in American English by default, a span in
// Russian by its automatic style.
QString openDocumentFromParts(const QTemporaryDir& dir)
{
    QBuffer archive;
    archive.open(QIODevice::WriteOnly);
    ZipWriter zip(archive);
    zip.add(u"mimetype"_s, "application/vnd.oasis.opendocument.text", ZipWriter::Method::Stored);
    zip.add(u"META-INF/manifest.xml"_s,
            "<?xml version=\"1.0\"?><manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:"
            "opendocument:xmlns:manifest:1.0\" manifest:version=\"1.2\"><manifest:file-entry "
            "manifest:full-path=\"/\" manifest:media-type=\"application/vnd.oasis.opendocument."
            "text\"/><manifest:file-entry manifest:full-path=\"content.xml\" manifest:media-"
            "type=\"text/xml\"/><manifest:file-entry manifest:full-path=\"styles.xml\" "
            "manifest:media-type=\"text/xml\"/></manifest:manifest>");
    const QByteArray namespaces =
        " xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" xmlns:style=\"urn:"
        "oasis:names:tc:opendocument:xmlns:style:1.0\" xmlns:text=\"urn:oasis:names:tc:"
        "opendocument:xmlns:text:1.0\" xmlns:fo=\"urn:oasis:names:tc:opendocument:xmlns:xsl-fo-"
        "compatible:1.0\" office:version=\"1.2\"";
    zip.add(u"styles.xml"_s,
            "<?xml version=\"1.0\"?><office:document-styles" + namespaces +
                "><office:styles><style:default-style style:family=\"paragraph\"><style:text-"
                "properties fo:language=\"en\" fo:country=\"US\"/></style:default-style>"
                "</office:styles></office:document-styles>");
    zip.add(u"content.xml"_s,
            "<?xml version=\"1.0\"?><office:document-content" + namespaces +
                "><office:automatic-styles><style:style style:name=\"T1\" style:family=\"text"
                "\"><style:text-properties fo:language=\"ru\" fo:country=\"RU\"/></style:style>"
                "</office:automatic-styles><office:body><office:text><text:p>The sea at dawn. "
                "<text:span text:style-name=\"T1\">\xd0\x9c\xd0\xbe\xd1\x80\xd0\xb5"
                "</text:span> again.</text:p></office:text></office:body>"
                "</office:document-content>");
    return finished(zip, archive, dir.filePath(u"parts.odt"_s));
}

// The language the text is marked in at the first letter of `words`.
QString languageAt(QTextDocument& document, const QString& words)
{
    QTextCursor cursor(&document);
    cursor.setPosition(int(document.toPlainText().indexOf(words)) + 1);
    return LanguageTagOf(cursor.charFormat().intProperty(rtfprops::Language));
}

QString plainText(const QByteArray& rtf, QTextDocument& document)
{
    ReadRtf(rtf, document);
    return document.toPlainText();
}

// Whether some paragraph of the document is in a list, or with `table`, in a table.
bool hasBlockIn(const QTextDocument& document, bool table)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (table ? QTextCursor(block).currentTable() != nullptr : block.textList() != nullptr)
            return true;
    }
    return false;
}

} // namespace

class ChapterImportTest : public QObject
{
    Q_OBJECT

private slots:
    // Word and OpenDocument files written by pandoc, Markdown and HTML: the words, the list,
    // the table and the underlined phrases come in.
    void manuscripts_keepTheirStructure_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<int>("underlined");
        QTest::newRow("docx") << u"docx"_s << 2;
        QTest::newRow("odt") << u"odt"_s << 0; // pandoc's OpenDocument writer drops underline
        QTest::newRow("md") << u"md"_s << 0;   // Markdown has no underline
        QTest::newRow("html") << u"html"_s << 2;
    }

    void manuscripts_keepTheirStructure()
    {
        QFETCH(QString, format);
        QTemporaryDir dir;
        QString file;
        if (format == u"md"_s) {
            file = dir.filePath(u"manuscript.md"_s);
            writeBytes(file, kManuscript);
        } else if (format == u"html"_s) {
            file = dir.filePath(u"manuscript.html"_s);
            writeBytes(file, "<h1>Harbour</h1><p>The <i>ship</i> left the <b>harbour</b>. "
                             "<u>Tide</u> and <u>quay</u>.</p><ul><li>one</li><li>two</li></ul>"
                             "<table><tr><td>a</td><td>b</td></tr><tr><td>1</td><td>2</td></tr>"
                             "</table><p>\xd0\xa3\xd1\x82\xd1\x80\xd0\xbe \xd0\xbd\xd0\xb0 "
                             "\xd0\xbc\xd0\xbe\xd1\x80\xd0\xb5.</p><img src=\"/etc/passwd\">");
        } else {
            file = writtenByPandoc(dir, format);
        }
        QVERIFY(IsImportedKind(file));
        const ImportedChapter chapter = ImportChapter(file);
        QVERIFY2(chapter.error.isEmpty(), qPrintable(chapter.error));
        QTEST(int(chapter.underlined), "underlined");
        QTextDocument document;
        const QString text = plainText(chapter.rtf, document);
        for (const QString& words : {u"Harbour"_s, u"left the harbour"_s, u"Утро на море."_s})
            QVERIFY2(text.contains(words), qPrintable(text));
        // pandoc writes a list as paragraphs with their marks; Qt's readers as a list.
        QVERIFY2(hasBlockIn(document, false) || text.contains(u"\u2022\tone"_s), qPrintable(text));
        QVERIFY(hasBlockIn(document, true));
        const QTextCharFormat heading = document.firstBlock().begin().fragment().charFormat();
        QCOMPARE(heading.fontWeight(), int(QFont::Bold));
        QVERIFY(heading.fontPointSize() >= 16);
    }

    // A .docx and an .odt another program wrote: the .docx's bold run, underlined phrase and
    // Greek text, and each file's languages, from its default and its runs' or styles' own.
    void filesFromTheirParts_keepTheirTextAndLanguages()
    {
        QTemporaryDir dir;
        const ImportedChapter docx = ImportChapter(builtFromParts(dir));
        QVERIFY2(docx.error.isEmpty(), qPrintable(docx.error));
        QCOMPARE(docx.underlined, 1);
        QTextDocument document;
        QCOMPARE(plainText(docx.rtf, document).trimmed(),
                 u"Bold and linked words Das Schiff\nΘάλασσα"_s);
        QCOMPARE(languageAt(document, u"Bold"_s), u"en-GB"_s);
        QCOMPARE(languageAt(document, u"Schiff"_s), u"de"_s);
        QCOMPARE(languageAt(document, u"Θάλασσα"_s), u"el"_s);
        QCOMPARE(ImportedMessage(u"/x/parts.docx"_s, docx),
                 u"parts.docx came in with 1 underlined phrase, which is HyperText."_s);

        const ImportedChapter odt = ImportChapter(openDocumentFromParts(dir));
        QVERIFY2(odt.error.isEmpty(), qPrintable(odt.error));
        QCOMPARE(plainText(odt.rtf, document).trimmed(), u"The sea at dawn. Море again."_s);
        QCOMPARE(languageAt(document, u"sea"_s), u"en"_s); // 1033, American English
        QCOMPARE(languageAt(document, u"Море"_s), u"ru"_s);
        QCOMPARE(languageAt(document, u"again"_s), u"en"_s);
    }

    // A file of a real archiver's making is read whole; a cut, damaged or too large one is not.
    void zipReader_readsWholeFilesOnly()
    {
        QTemporaryDir dir;
        const QString docx = writtenByPandoc(dir, u"docx"_s);
        const QByteArray archive = readBytes(docx);
        const std::optional<QByteArray> document =
            ReadZipFile(archive, u"word/document.xml"_s, 1 << 20);
        QVERIFY(document && document->contains("Harbour"));
        QVERIFY(!ReadZipFile(archive, u"word/none.xml"_s, 1 << 20));
        QVERIFY(!ReadZipFile(archive, u"word/document.xml"_s, document->size() - 1));
        QVERIFY(!ReadZipFile(archive.first(archive.size() - 30), u"word/document.xml"_s, 1 << 20));
        QByteArray damaged = archive;
        const qsizetype data = damaged.indexOf("word/document.xml") + 40;
        for (qsizetype at = data; at < data + 64; ++at)
            damaged[at] = char(0xff);
        QVERIFY(!ReadZipFile(damaged, u"word/document.xml"_s, 1 << 20));
    }

    // A damaged or missing file is refused with its name and the reason.
    void damagedAndMissing_refused()
    {
        QTemporaryDir dir;
        writeBytes(dir.filePath(u"damaged.docx"_s), "PK\x03\x04 not a whole archive");
        const ImportedChapter damaged = ImportChapter(dir.filePath(u"damaged.docx"_s));
        QVERIFY2(damaged.error.startsWith(u"damaged.docx could not be imported: "_s),
                 qPrintable(damaged.error));
        QVERIFY(damaged.rtf.isEmpty());
        QCOMPARE(ImportChapter(dir.filePath(u"gone.odt"_s)).error,
                 u"The file gone.odt is missing."_s);
        QVERIFY(!IsImportedKind(u"chapter.rtf"_s));
    }
};

QTEST_MAIN(ChapterImportTest)
#include "tst_chapterimport.moc"
