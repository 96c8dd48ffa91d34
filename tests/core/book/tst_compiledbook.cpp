// The compiled book: its layout, what it holds, and how damaged books and missing files are
// refused. A received project may hold links (archives keep them): nothing outside the book's
// folder is read because of one.
#include "messagerecorder.h"
#include "recordbytes.h"
#include "testbook.h"
#include "thrown.h"

#include "core/book/bookarchive.h"
#include "core/book/booksource.h"
#include "core/book/compiledbook.h"
#include "core/book/executable.h"
#include "core/distribution/distribution.h"
#include "core/files/filestore.h"
#include "core/files/projectpath.h"
#include "core/sections/hypertext.h"
#include "core/sections/introduction.h"

#include <QFile>
#include <QTest>

#include <cstring>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

// The model code copies the runtime's bytes without looking into them, so a stand-in will do.
// Beside the book is a folder that is not the book's.
struct Book : TestBook
{
    QString outside;

    Book()
    {
        QDir(dir.path()).mkdir(u"program"_s);
        writeBytes(dir.filePath(u"program/kestrin.bin"_s), "runtime");
        state.ProgramDir = dir.filePath(u"program/"_s);
        QDir(dir.path()).mkdir(u"elsewhere"_s);
        outside = dir.filePath(u"elsewhere/secret"_s);
        writeBytes(outside, "not the book's");
    }
    void plant(const QString& name, const QString& target)
    {
        QVERIFY(QFile::link(target, dir.filePath(name)));
    }
};

qint32 intAt(const QByteArray& bytes, qsizetype at)
{
    qint32 value;
    std::memcpy(&value, bytes.constData() + at, 4);
    return value;
}

} // namespace

class CompiledBookTest : public QObject
{
    Q_OBJECT

private slots:
    void compiledBook_layout()
    {
        ModelDoubles platform;
        Book book;
        WorkingState& s = book.state;
        s.CurrentDisplay = DefaultDisplay();
        WriteDisplayFile(s, u"book.qvd"_s); // differs only in case: a second record
        book.addChapter("One", "{\\rtf1 one}");
        book.addChapter("Two", QByteArray());
        book.addChapter("Three", "{\\rtf1 three}", u"book.qvd"_s);
        const QByteArray bytes = *CompiledBookBytes(s);
        QCOMPARE(intAt(bytes, 5377), 0);    // no HyperText file
        QCOMPARE(intAt(bytes, 5381), 5389); // the display table follows at once
        QCOMPARE(intAt(bytes, 5389), 2);
        const qsizetype chapters = 5389 + 8 + 2 * 340 + 2 * 30;
        QCOMPARE(intAt(bytes, 5385), chapters);
        QCOMPARE(bytes.size(), 5377 + 12 + 8 + 340 * 2 + 30 * 2 + 8 + 11 + 0 + 13 + 95 * 3);
        const CompiledBook compiled = CompiledBook::fromBytes(bytes);
        QCOMPARE(compiled.chapters().size(), 3);
        QCOMPARE(compiled.chapters().at(1).Size, 0);
        QCOMPARE(compiled.chapterText(2), QByteArray("{\\rtf1 three}"));
        QCOMPARE(compiled.chapters().at(2).DisplayFile.text(), u"book.qvd"_s);
        QVERIFY_THROWS_EXCEPTION(CompiledBookError, compiled.display(u"BOOK.qvd"_s));
        QVERIFY(platform.messages.shown().isEmpty());
    }

    // Names, captions and phrases of any script come back from the built book exactly, each
    // phrase with its own link, and so do the introduction and the chapters' texts.
    void compiledBook_keepsEveryScriptAndTheHyperText()
    {
        ModelDoubles platform;
        Book book;
        const QString chapterName = QString::fromUtf8("Λευκές νύχτες");
        book.state.Project.Presentation.Captions.QuitCaption.setText(QString::fromUtf8("&Выход"));
        WriteProject(book.state);
        book.addChapter(chapterName, "{\\rtf1 \\u955?}");
        const QString white = QString::fromUtf8("Белые ночи");
        const QString calm = QString::fromUtf8("Тихое море");
        AddEntry(book.state.HyperTextFile, white, 2, u"WHITE.BMP"_s, kHyperSource);
        AddEntry(book.state.HyperTextFile, calm, 2, u"CALM.BMP"_s, kHyperSource);
        AddIntroEntry(book.state.HyperTextFile, {u"{\\rtf1 welcome}"_s});
        CompiledBookSource source(CompiledBook::fromBytes(*CompiledBookBytes(book.state)));
        QCOMPARE(source.menuEntries(), QStringList{chapterName});
        QCOMPARE(source.project().Presentation.Captions.QuitCaption.text(),
                 QString::fromUtf8("&Выход"));
        QStringList lines;
        QVERIFY(source.hyperEntry(white.toUpper(), lines));
        QCOMPARE(lines.first(), white);
        QCOMPARE(lines.at(3), u"command=WHITE.BMP"_s);
        QVERIFY(source.hyperEntry(calm, lines));
        QCOMPARE(lines.at(3), u"command=CALM.BMP"_s);
        QVERIFY(!source.hyperEntry(QString::fromUtf8("Тихое мора"), lines));
        QStringList intro;
        QVERIFY(source.introduction(intro));
        QCOMPARE(intro, QStringList{u"{\\rtf1 welcome}"_s});
        const ChapterRecord chapter = source.chapter(0);
        QCOMPARE(source.chapterText(chapter.ChapterFile.text()), QByteArray("{\\rtf1 \\u955?}"));
        QVERIFY(!book.dir.entries().contains(u"BOOK.$$$"_s));
    }

    // A converted project keeps the earlier version's 68-byte display files until a window opens
    // them: the book is built and distributed from them as they are, and they stay as they are.
    // A display file too short for either form is named in the message.
    void earlierFormDisplayFiles_areBuiltAndDistributedAsTheyAre()
    {
        ModelDoubles platform;
        Book book;
        RecordBytes old(68);
        old.i32(0, 0x00FF8040).u8(4, 0).i32(5, 2).i32(9, 0x123456).str(13, "SKY.BMP");
        old.i32(39, 10).i32(43, 20).i32(47, 300).i32(51, 150).u8(67, 1);
        const QString oldFile = book.dir.filePath(u"OLD.QVD"_s);
        writeBytes(oldFile, old.bytes());
        book.addChapter("One", "{\\rtf1 one}", u"OLD.QVD"_s);

        const CompiledBook compiled = CompiledBook::fromBytes(*CompiledBookBytes(book.state));
        const DisplayRecord display = compiled.display(u"OLD.QVD"_s);
        QCOMPARE(display.GraphicFile.text(), u"SKY.BMP"_s);
        QCOMPARE(+display.WinWidth, 300);
        QCOMPARE(+display.PrintAllowed, 1);
        QVERIFY(DistributionFiles(book.state, [](const QString&) {
                    return false;
                }).contains(u"SKY.BMP"_s));
        QCOMPARE(readBytes(oldFile), old.bytes());

        writeBytes(oldFile, old.bytes().left(60));
        QCOMPARE(thrownText<InOutError>([&] { CompiledBookBytes(book.state); }),
                 u"Read beyond end of file: OLD.QVD"_s);
        QVERIFY(platform.messages.shown().isEmpty());
    }

    // A missing chapter list, display file or runtime refuses the build and leaves the old
    // executable and no compiled book behind.
    void compileBook_missingFilesRefuse()
    {
        ModelDoubles platform;
        Book book;
        writeBytes(book.dir.filePath(u"BOOK.EXE"_s), "an old build");
        QVERIFY(!MakeExecutable(book.state)); // no chapter list
        book.addChapter("One", "x", u"GONE.QVD"_s);
        QVERIFY(!MakeExecutable(book.state));
        QCOMPARE(platform.messages.texts(),
                 QStringList({u"Unable to create the Executable E-Book."_s,
                              u"The Display file GONE.QVD was not found."_s,
                              u"Unable to create the Executable E-Book."_s}));
        platform.messages.clear();
        writeBytes(book.dir.filePath(u"GONE.QVD"_s), defaultDisplayBytes());
        book.state.ProgramDir = book.dir.path() + u"/nowhere/"_s;
        QVERIFY(!MakeExecutable(book.state));
        QVERIFY(platform.messages.texts().first().contains(u"kestrin.bin could not be read"_s));
        QCOMPARE(readBytes(book.dir.filePath(u"BOOK.EXE"_s)), QByteArray("an old build"));
        QVERIFY(!book.dir.entries().contains(u"BOOK.CMP"_s));
    }

    // A chapter larger than any real one is refused before anything is written, and the windows
    // refuse to open it; so is a book beyond the 2 GB of chapters an executable holds.
    void sizeLimits_areRefusedBeforeWriting()
    {
        ModelDoubles platform;
        Book book;
        writeBytes(book.dir.filePath(u"BOOK.EXE"_s), "an old build");
        book.addChapter("C0", "{\\rtf1 }");
        QVERIFY(QFile::resize(book.dir.filePath(u"C0.QLF"_s), kMaxChapterSize + 1));
        const QString message = QStringLiteral("The Chapter file C0.QLF is larger than 32 MB; a "
                                               "chapter of that size cannot be opened.");
        QVERIFY(!MakeExecutable(book.state));
        QCOMPARE(platform.messages.texts(),
                 QStringList({message, u"Unable to create the Executable E-Book."_s}));
        QCOMPARE(thrownText<InOutError>([] { ReadChapterFile(u"C0.QLF"_s); }), message);
        platform.messages.clear();

        // 65 chapters of the largest size: sparse files, nothing is really written.
        QVERIFY(QFile::resize(book.dir.filePath(u"C0.QLF"_s), kMaxChapterSize));
        for (int i = 1; i < 65; ++i) {
            const QByteArray entry = "C" + QByteArray::number(i);
            book.addChapter(entry.constData(), "x");
            QFile chapter(book.dir.filePath(QString::fromLatin1(entry) + u".QLF"_s));
            QVERIFY(chapter.resize(kMaxChapterSize));
        }
        QVERIFY(!MakeExecutable(book.state));
        QCOMPARE(
            platform.messages.texts(),
            QStringList(
                {QStringLiteral("The E-Book is too large: an Executable E-Book holds at most 2 GB "
                                "of chapters and HyperText."),
                 u"Unable to create the Executable E-Book."_s}));
        QCOMPARE(readBytes(book.dir.filePath(u"BOOK.EXE"_s)), QByteArray("an old build"));
    }

    void hostileChapterRecords_areRefusedWithTheirOwnMessage_data()
    {
        QTest::addColumn<int>("damage");
        QTest::addColumn<QString>("message");
        QTest::newRow("outside the folder")
            << 0
            << QStringLiteral("The chapter \"One\" names /etc/passwd, which is not a file of the "
                              "book's folder.");
        QTest::newRow("up and out")
            << 1
            << QStringLiteral("The chapter \"One\" names ../BOOK.QVD, which is "
                              "not a file of the book's folder.");
        QTest::newRow("garbage length")
            << 2
            << QStringLiteral("The chapter list BOOK.QVC is damaged: chapter record 1 holds no "
                              "valid name.");
        QTest::newRow("a device (linked)")
            << 3
            << QStringLiteral("The chapter \"One\" names One.QLF, which is not a file of the "
                              "book's folder.");
        QTest::newRow("a pipe") << 4
                                << QStringLiteral(
                                       "The Display file BOOK.QVD is not a regular file.");
    }
    void hostileChapterRecords_areRefusedWithTheirOwnMessage()
    {
        QFETCH(int, damage);
        QFETCH(QString, message);
        ModelDoubles platform;
        Book book;
        book.addChapter("One", "{\\rtf1 one}");
        writeBytes(book.dir.filePath(u"BOOK.EXE"_s), "an old build");
        ChapterRecord& chapter = book.state.CurrentChapter;
        switch (damage) {
        case 0:
            chapter.ChapterFile.setText(u"/etc/passwd"_s);
            break;
        case 1:
            chapter.DisplayFile.setText(u"../BOOK.QVD"_s);
            break;
        case 2:
            chapter.ChapterFile.length = 200; // more than the field holds
            break;
        case 3:
            QFile::remove(book.dir.filePath(u"One.QLF"_s));
            QVERIFY(QFile::link(u"/dev/zero"_s, book.dir.filePath(u"One.QLF"_s)));
            break;
        default:
            QFile::remove(book.dir.filePath(u"BOOK.QVD"_s));
            QCOMPARE(mkfifo(QFile::encodeName(book.dir.filePath(u"BOOK.QVD"_s)).constData(), 0600),
                     0);
        }
        WriteChapter(book.state, 0);
        QVERIFY(!MakeExecutable(book.state));
        QCOMPARE(platform.messages.texts(),
                 QStringList({message, u"Unable to create the Executable E-Book."_s}));
        QCOMPARE(readBytes(book.dir.filePath(u"BOOK.EXE"_s)), QByteArray("an old build"));
    }

    void damagedBooks_areRefused()
    {
        ModelDoubles platform;
        Book book;
        book.addChapter("One", "{\\rtf1 one}");
        const QByteArray good = *CompiledBookBytes(book.state);
        for (const auto& [at, value] :
             {std::pair{5381, 0x7FFFFFF0}, std::pair{5385, -4}, std::pair{5377, 6000}}) {
            QByteArray bad = good;
            std::memcpy(bad.data() + at, &value, 4);
            QVERIFY_THROWS_EXCEPTION(RunTimeError, CompiledBook::fromBytes(bad));
        }
        QVERIFY_THROWS_EXCEPTION(CompiledBookError, CompiledBook::fromBytes(good.left(5000)));
        QVERIFY_THROWS_EXCEPTION(CompiledBookError, BookAfterImage(QByteArray("not a program")));
    }

    // Names that lead out of the folder through a link are not the book's; a link to a file of
    // the folder is. The HyperText file linked elsewhere is not read by the builder. (A chapter
    // linked elsewhere is a row of the hostile records above; a link in the place of a file the
    // tool writes is replaced, never written through: tst_utilities.)
    void links_leadingOutOfTheFolderAreNotTheBooks()
    {
        ModelDoubles platform;
        Book book;
        writeBytes(book.dir.filePath(u"REAL.BMP"_s), "picture");
        book.plant(u"SAME.BMP"_s, book.dir.filePath(u"REAL.BMP"_s));
        book.plant(u"OUT.BMP"_s, book.outside);
        book.plant(u"GONE.BMP"_s, book.dir.filePath(u"elsewhere/gone"_s));
        QVERIFY(IsBookFileName(u"SAME.BMP"_s));
        QVERIFY(!IsBookFileName(u"out.bmp"_s));
        QVERIFY(!IsBookFileName(u"GONE.BMP"_s));
        QCOMPARE(thrownText<InOutError>([] { filestore::readAll(u"OUT.BMP"_s); }),
                 u"OUT.BMP leads to a file outside the book's folder."_s);

        book.addChapter("Two", "{\\rtf1 two}");
        book.plant(u"BOOK.QVR"_s, book.outside);
        QCOMPARE(thrownText<InOutError>([&] { MakeExecutable(book.state); }),
                 u"BOOK.QVR leads to a file outside the book's folder."_s);
        QVERIFY(platform.messages.shown().isEmpty());
    }

    // A distribution folder that is a link to the project is the project.
    void distribution_comparesRealPaths()
    {
        ModelDoubles platform;
        Book book;
        book.addChapter("One", "{\\rtf1 one}");
        QVERIFY(MakeExecutable(book.state));
        const QString alias = book.dir.filePath(u"elsewhere/alias"_s);
        QVERIFY(QFile::link(book.dir.path(), alias));
        QVERIFY(IsProjectDirectory(alias + QLatin1Char('/'), book.state.ProjectDir));
        QVERIFY(!CopyDistribution(book.state, alias + QLatin1Char('/'),
                                  [](const QString&) { return false; }));
        QCOMPARE(platform.messages.texts(), QStringList{kProjectDirectoryRefused});
    }
};

QTEST_GUILESS_MAIN(CompiledBookTest)
#include "tst_compiledbook.moc"
