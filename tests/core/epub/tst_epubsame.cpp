// The EPUB of the test books stays byte for byte what it was when the export was made faster:
// each file of the archive against the digest recorded in data/same-epub.txt (the package's
// modification date aside). QUORELLE_WRITE_DIGESTS=1 records them again after a change that is
// meant to show.
#include "epubcheck.h"
#include "messagerecorder.h"
#include "testbook.h"

#include "core/epub/epubexport.h"
#include "core/sections/displaysection.h"
#include "core/sections/hypertext.h"

#include <QCryptographicHash>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString kDigests = QStringLiteral(QUORELLE_SOURCE_DIR "/tests/core/epub/data/same-epub.txt");

// A book of RTF from other programs (headings, lists, tables, links, Japanese) and phrases of the
// kinds whose pages hold no sound or film, whose encoders may stamp the time.
void structureBook(TestBook& book)
{
    const QDir sample(QStringLiteral(QUORELLE_SOURCE_DIR "/resources/sample"));
    for (const char* name : {"SUN.BMP", "SEA.JPG", "PAGE.HTM"})
        writeBytes(book.dir.filePath(QString::fromLatin1(name)),
                   readBytes(sample.filePath(QString::fromLatin1(name))));
    const QString file = book.state.HyperTextFile;
    AddDisplayEntry(file, u"pop"_s, 1, DefaultDisplay(), {u"{\\rtf1 A {\\b bold} pop-up.\\par}"_s},
                    kHyperSource);
    AddEntry(file, u"picture"_s, 2, u"SUN.BMP,30"_s, kHyperSource);
    DisplayRecord screen = DefaultDisplay();
    screen.GraphicFile.setText(u"SEA.JPG"_s);
    AddDisplayEntry(file, u"screen"_s, 5, screen, {u"{\\rtf1 Screen text.\\par}"_s}, kHyperSource);
    AddEntry(file, u"page"_s, 10, u"PAGE.HTM"_s, kHyperSource);
    AddEntry(file, u"site"_s, 10, u"https://example.org/a?b=1&c=2"_s, kHyperSource);
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
    QStringList lines;
    for (const QString& name : ArchiveNames(epub)) {
        QByteArray bytes = Unzipped(epub, name);
        if (name == QLatin1String("EPUB/package.opf"))
            bytes.replace(QRegularExpression(u"<meta property=\"dcterms:modified\">[^<]*</meta>"_s)
                              .match(QString::fromUtf8(bytes))
                              .captured()
                              .toUtf8(),
                          "");
        lines << book + u' ' + name + u' ' +
                     QString::fromLatin1(
                         QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex());
    }
    return lines;
}

} // namespace

class EpubSameTest : public QObject
{
    Q_OBJECT

private slots:
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
};

QTEST_GUILESS_MAIN(EpubSameTest)
#include "tst_epubsame.moc"
