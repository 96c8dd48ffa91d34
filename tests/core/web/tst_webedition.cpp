// The web edition's exporter: the data it writes is what the runtimes decide for each screen,
// phrase and command; the folder is replaced whole or not at all; hostile names and pages are
// refused or made harmless. (The page that plays the data is tested in a browser.)
#include "messagerecorder.h"
#include "testbook.h"

#include "core/files/folderwrite.h"
#include "core/sections/hypertext.h"
#include "core/web/webedition.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The data a script of the edition hands to the page: QuorelleBook({...}) or
// QuorelleChapter(N, {...}).
QJsonObject scriptData(const QString& file)
{
    const QByteArray script = readBytes(file);
    const qsizetype start = script.indexOf('{');
    const QJsonDocument data =
        QJsonDocument::fromJson(script.mid(start, script.lastIndexOf('}') - start + 1));
    if (!data.isObject())
        qFatal("%s holds no data", qPrintable(file));
    return data.object();
}

QStringList filesUnder(const QString& folder)
{
    QStringList files;
    QDirIterator all(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (all.hasNext())
        files << QDir(folder).relativeFilePath(all.next());
    files.sort();
    return files;
}

// A book whose one chapter holds a phrase of every kind the tests look at.
struct LinkBook : TestBook
{
    LinkBook()
    {
        writeBytes(dir.filePath(u"SUN.BMP"_s),
                   readBytes(QStringLiteral(QUORELLE_SOURCE_DIR "/resources/sample/SUN.BMP")));
        writeBytes(dir.filePath(u"NOTES.TXT"_s), "Caf\xE9 notes\r\n");
        writeBytes(dir.filePath(u"PAGE.HTM"_s),
                   "<html><body onload=\"steal()\"><h1>Harbour</h1><script>steal()</script>"
                   "<p onclick=\"steal()\">Quay <a href=\"javascript:steal()\">x</a></p>"
                   "</body></html>");
        AddEntry(state.HyperTextFile, u"sun"_s, 2, u"SUN.BMP,30"_s, kHyperSource);
        AddEntry(state.HyperTextFile, u"tool"_s, 4, u"HELLO.SH,--loud"_s, kHyperSource);
        AddEntry(state.HyperTextFile, u"notes"_s, 13, u"NOTES.TXT"_s, kHyperSource);
        AddEntry(state.HyperTextFile, u"page"_s, 10, u"PAGE.HTM"_s, kHyperSource);
        AddEntry(state.HyperTextFile, u"site"_s, 10, u"https://example.org/"_s, kHyperSource);
        AddEntry(state.HyperTextFile, u"script"_s, 10, u"javascript:steal()"_s, kHyperSource);
        AddEntry(state.HyperTextFile, u"away"_s, 2, u"../SUN.BMP,30"_s, kHyperSource);
        addChapter("One", "{\\rtf1 {\\ul sun} {\\ul tool} {\\ul notes} {\\ul page} {\\ul site} "
                          "{\\ul script} {\\ul away} {\\ul nowhere}\\par}");
        addChapter("Two", "{\\rtf1 Plain.\\par}");
    }

    QString edition() const { return dir.filePath(u"out/BOOK-web"_s); }

    bool exportIt(QStringList* notCarried = nullptr)
    {
        QDir(dir.path()).mkpath(u"out"_s);
        return ExportWebEdition(state, edition(), notCarried);
    }
};

} // namespace

class WebEditionTest : public QObject
{
    Q_OBJECT

private slots:
    // Each phrase carries what a click on it does in the runtimes, as data: the picture show
    // with its converted picture, the program's message, the notepad with its file's text, the
    // page without its scripts, the address with the runtime's question, and a message where the
    // runtime refuses.
    void phrases_carryWhatTheRuntimesDo()
    {
        ModelDoubles platform;
        LinkBook book;
        QStringList notCarried;
        QVERIFY(book.exportIt(&notCarried));
        QCOMPARE(notCarried.size(), 2); // the programs, and the phrase without a link
        QVERIFY2(notCarried.last().contains(u"nowhere"_s), qPrintable(notCarried.join(u'\n')));

        const QJsonObject chapter = scriptData(book.edition() + u"/chapters/1.js"_s);
        const QJsonObject links = chapter[u"links"].toObject();
        const QString html = chapter[u"screen"][u"text"][u"html"].toString();
        for (const QString& key : links.keys())
            QVERIFY2(html.contains(u"data-link=\"%1\""_s.arg(key)), qPrintable(key));

        const QJsonObject show = links[u"sun"][u"show"].toObject();
        QCOMPARE(show[u"mode"].toString(), u"picture"_s);
        QCOMPARE(show[u"delayMs"].toInt(), 3000);
        QVERIFY(QFile::exists(book.edition() + u"/"_s + show[u"picture"].toString()));
        QVERIFY(show[u"picture"].toString().endsWith(u".png"_s));

        QCOMPARE(links[u"tool"][u"kind"].toString(), u"message"_s);
        QCOMPARE(links[u"tool"][u"message"].toString(),
                 u"This link starts the program HELLO.SH in the Windows and Linux editions of "
                 "this book."_s);
        QCOMPARE(links[u"notes"][u"notepad"][u"text"].toString(), u"Caf\u00E9 notes\r\n"_s);
        QCOMPARE(links[u"notes"][u"notepad"][u"file"].toString(), u"NOTES.TXT"_s);

        const QString page = links[u"page"][u"page"][u"html"].toString();
        QVERIFY2(page.contains(u"Harbour"_s) && page.contains(u"Quay"_s), qPrintable(page));
        for (const QString& hostile : {u"steal"_s, u"script"_s, u"onload"_s, u"onclick"_s})
            QVERIFY2(!page.contains(hostile), qPrintable(page));

        QCOMPARE(links[u"site"][u"web"][u"address"].toString(), u"https://example.org/"_s);
        QVERIFY(links[u"site"][u"web"][u"question"].toString().contains(u"Do you allow it?"_s));
        QCOMPARE(links[u"script"][u"kind"].toString(), u"message"_s);
        QCOMPARE(links[u"away"][u"message"].toString(),
                 u"The HyperText entry \"away\" names ../SUN.BMP, which is not a file of the "
                 "book's folder."_s);
        QCOMPARE(links[u"nowhere"][u"message"].toString(), u"\"nowhere\" is not HyperText"_s);

        // A chapter's data is in its own script, for the page to load when it is opened.
        const QJsonObject data = scriptData(book.edition() + u"/book.js"_s);
        QCOMPARE(data[u"steps"].toArray(), (QJsonArray{u"contents"_s}));
        QCOMPARE(data[u"contents"][u"chapters"].toArray().size(), 2);
        QVERIFY(!readBytes(book.edition() + u"/book.js"_s).contains("Harbour"));
        QVERIFY(readBytes(book.edition() + u"/files.js"_s).contains("\"chapters/2.js\""));
    }

    // The edition is never written over the book's own folder, a folder holding it or one of
    // its files. A new edition replaces an old one whole; a medium that is missing stops the
    // export with a message naming it, the edition written before stays whole, and no scratch
    // folder is left beside it.
    void refusedExports_leaveEverythingAsItWas()
    {
        ModelDoubles platform;
        LinkBook book;
        const QByteArray project = book.projectBytes();
        writeBytes(book.dir.filePath(u"PAGE2.HTM"_s), "mine");
        QVERIFY(!ExportWebEdition(book.state, book.dir.path(), nullptr));
        QVERIFY(!ExportWebEdition(book.state, QFileInfo(book.dir.path()).path(), nullptr));
        for (const QString& own : {u"BOOK.QVJ"_s, u"PAGE2.HTM"_s})
            QVERIFY(!ExportWebEditionFile(book.state, book.dir.filePath(own), nullptr));
        QCOMPARE(platform.messages.texts().size(), 4);
        platform.messages.clear();
        QCOMPARE(book.projectBytes(), project);
        QCOMPARE(readBytes(book.dir.filePath(u"PAGE2.HTM"_s)), QByteArray("mine"));

        // A new edition replaces an old one whole.
        QVERIFY(book.exportIt());
        writeBytes(book.edition() + u"/stale.txt"_s, "from before");
        QVERIFY(book.exportIt());
        QVERIFY(!QFileInfo::exists(book.edition() + u"/stale.txt"_s));
        const QStringList before = filesUnder(book.edition());
        const QByteArray bookData = readBytes(book.edition() + u"/book.js"_s);
        QFile::remove(book.dir.filePath(u"SUN.BMP"_s));
        QVERIFY(!book.exportIt());
        QCOMPARE(platform.messages.texts(), QStringList{u"The file SUN.BMP is missing."_s});
        QCOMPARE(filesUnder(book.edition()), before);
        QCOMPARE(readBytes(book.edition() + u"/book.js"_s), bookData);
        QCOMPARE(QDir(book.dir.filePath(u"out"_s))
                     .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{u"BOOK-web"_s});
    }

    // One page holds the whole edition: every script is one the page's policy allows by its
    // hash, and the media are data addresses.
    void singlePage_holdsEverythingAndRunsOnlyItsOwnScripts()
    {
        ModelDoubles platform;
        LinkBook book;
        const QString file = book.dir.filePath(u"BOOK-web.html"_s);
        QStringList notCarried;
        QVERIFY(ExportWebEditionFile(book.state, file, &notCarried));
        const QByteArray page = readBytes(file);
        QVERIFY(!page.contains("src=\"media/") && !page.contains("\"media/"));
        QVERIFY(page.contains("data:image/png;base64,"));
        const QRegularExpression scripts(u"<script>(.*?)</script>"_s,
                                         QRegularExpression::DotMatchesEverythingOption);
        int count = 0;
        for (const QRegularExpressionMatch& script : scripts.globalMatch(QString::fromUtf8(page))) {
            const QByteArray hash =
                QCryptographicHash::hash(script.captured(1).toUtf8(), QCryptographicHash::Sha256);
            QVERIFY(page.contains("'sha256-" + hash.toBase64() + "'"));
            ++count;
        }
        QCOMPARE(count, 4); // the book, its two chapters, the player
    }

    // A new edition takes an old one's place in one step; a file name that would leave the
    // folder is refused before anything is written.
    void folderWrite_replacesWholeAndStaysInside()
    {
        CurrentTempDir dir;
        const QString folder = dir.filePath(u"edition"_s);
        {
            filestore::FolderWrite first(folder);
            first.add(u"old.js"_s, "1");
            first.commit();
        }
        filestore::FolderWrite second(folder);
        second.add(u"chapters/1.js"_s, "2");
        for (const QString& bad : {u"../out.js"_s, u"/tmp/x"_s, u"a//b"_s, u"./a"_s})
            QVERIFY_THROWS_EXCEPTION(InOutError, second.add(bad, "x"));
        QCOMPARE(filesUnder(folder), QStringList{u"old.js"_s});
        second.commit();
        QCOMPARE(filesUnder(folder), QStringList{u"chapters/1.js"_s});
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{u"edition"_s});
    }
};

QTEST_GUILESS_MAIN(WebEditionTest)
#include "tst_webedition.moc"
