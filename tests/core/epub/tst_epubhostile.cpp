// The EPUB export on hostile and ordinary web pages and addresses, through the batch builder as
// an author's script runs it: it ends with an EPUB or a message, within bounds, and takes nothing
// from outside the book's folder.
#include "epubcheck.h"
#include "messagerecorder.h"
#include "testbook.h"

#include "core/epub/epubexport.h"
#include "core/epub/epubwebpage.h"
#include "core/sections/hypertext.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A book of one chapter whose phrase "page" opens the book's web page PAGE.HTM.
struct PageBook : TestBook
{
    explicit PageBook(const QByteArray& page)
    {
        writeBytes(dir.filePath(u"PAGE.HTM"_s), page);
        AddEntry(state.HyperTextFile, u"page"_s, 10, u"PAGE.HTM"_s, kHyperSource);
        addChapter("One", "{\\rtf1 See the {\\ul page}.\\par}");
    }

    // quorelle-build BOOK.QVJ --epub OUT: its exit code, and what it printed.
    int build(const QString& out, QString& printed) const
    {
        QProcess build;
        build.setProcessChannelMode(QProcess::MergedChannels);
        build.start(QStringLiteral(QUORELLE_BIN_DIR "/quorelle-build"),
                    {dir.filePath(u"BOOK.QVJ"_s), u"--epub"_s, out});
        if (!build.waitForFinished(120000))
            return -1;
        printed = QString::fromUtf8(build.readAll());
        return build.exitStatus() == QProcess::NormalExit ? build.exitCode() : -2;
    }
};

QByteArray bmpBytes()
{
    return readBytes(QStringLiteral(QUORELLE_SOURCE_DIR "/resources/sample/SUN.BMP"));
}

} // namespace

class EpubHostileTest : public QObject
{
    Q_OBJECT

private slots:
    // Code and preformatted text, and pictures named by path, file: and data: addresses: the
    // batch builder lays the page out (it had crashed), and only the book's own picture is taken,
    // stored once though a link shows it too.
    void webPage_codeAndPicturesOfOtherPlaces()
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
        AddEntry(book.state.HyperTextFile, u"sun"_s, 2, u"SUN.BMP,30"_s, kHyperSource);
        book.addChapter("Two", "{\\rtf1 The {\\ul sun}.\\par}");
        QString printed;
        const QString epub = book.dir.filePath(u"BOOK.epub"_s);
        QCOMPARE(book.build(epub, printed), 0);
        QVERIFY2(printed.contains(u"has been created"_s), qPrintable(printed));
        QStringList pictures;
        for (const QString& name : ArchiveNames(epub)) {
            if (name.startsWith(QLatin1String("EPUB/media/")))
                pictures << name;
        }
        QCOMPARE(pictures.size(), 1);
        const QString page = QString::fromUtf8(Unzipped(epub, u"EPUB/link-1.xhtml"_s));
        QVERIFY2(page.contains(u"one  two"_s) || page.contains(u"one"_s), qPrintable(page));
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
        QString printed;
        QElapsedTimer clock;
        clock.start();
        const QString epub = book.dir.filePath(u"BOOK.epub"_s);
        QCOMPARE(book.build(epub, printed), 0);
        QVERIFY(clock.elapsed() < 30000);
        QVERIFY2(printed.contains(QStringLiteral("The web page PAGE.HTM nests its elements more "
                                                 "than 256 deep; it is not carried over.")),
                 qPrintable(printed));
        const QString page = QString::fromUtf8(Unzipped(epub, u"EPUB/link-1.xhtml"_s));
        QVERIFY2(page.contains(u"opens the web page PAGE.HTM in the executable edition"_s),
                 qPrintable(page));
        QVERIFY(EpubcheckAccepts(epub));

        const QByteArray project = book.projectBytes();
        QCOMPARE(book.build(book.dir.filePath(u"BOOK.QVJ"_s), printed), 1);
        QVERIFY2(printed.contains(QStringLiteral(
                     "BOOK.QVJ is a file of the book's folder; the EPUB is not written over it.")),
                 qPrintable(printed));
        QCOMPARE(book.projectBytes(), project);

        QCOMPARE(NestingDepth(u"<div><p>a<p>b<br><img src=x/><div></div></div>"_s), 2);
        QCOMPARE(NestingDepth(u"<!-- <div> --> a < b <ul><li>x</ul>"_s), 2);
    }

    // Only http, https and mailto addresses become links; a script or a file of the reader's
    // machine is left out and reported. A picture is judged by what it holds: a bitmap named
    // .JPG goes in as PNG, not as JPEG.
    void addressesAndPictures_judgedByWhatTheyAre()
    {
        ModelDoubles platform;
        TestBook book;
        AddEntry(book.state.HyperTextFile, u"run"_s, 10, u"javascript://alert(1)"_s, kHyperSource);
        AddEntry(book.state.HyperTextFile, u"disk"_s, 10, u"file:///etc/passwd"_s, kHyperSource);
        AddEntry(book.state.HyperTextFile, u"mail"_s, 10, u"mailto:author@example.org"_s,
                 kHyperSource);
        writeBytes(book.dir.filePath(u"FAKE.JPG"_s), bmpBytes());
        AddEntry(book.state.HyperTextFile, u"sun"_s, 2, u"FAKE.JPG,30"_s, kHyperSource);
        book.addChapter("One", "{\\rtf1 {\\ul run} {\\ul disk} {\\ul mail} {\\ul sun}\\par}");
        const QString epub = book.dir.filePath(u"BOOK.epub"_s);
        QStringList notCarried;
        QVERIFY(ExportEpub(book.state, epub, &notCarried));
        QCOMPARE(notCarried,
                 (QStringList{QStringLiteral("The address javascript://alert(1) is "
                                             "not a web address; its link was left "
                                             "out."),
                              QStringLiteral("The address file:///etc/passwd is not "
                                             "a web address; its link was left out.")}));
        const QString chapter = QString::fromUtf8(Unzipped(epub, u"EPUB/chapter-1.xhtml"_s));
        QVERIFY(!chapter.contains(u"javascript"_s));
        QVERIFY(!chapter.contains(u"file:"_s));
        QVERIFY(chapter.contains(u"href=\"mailto:author@example.org\""_s));
        QVERIFY(ArchiveNames(epub).contains(u"EPUB/media/FAKE.png"_s));
        QVERIFY(EpubcheckAccepts(epub));
    }
};

QTEST_GUILESS_MAIN(EpubHostileTest)
#include "tst_epubhostile.moc"
