// A received project may hold links (archives keep them): nothing outside the book's folder is
// read or written because of one.
#include "messagerecorder.h"
#include "testbook.h"
#include "thrown.h"

#include "core/book/compiledbook.h"
#include "core/book/executable.h"
#include "core/distribution/distribution.h"
#include "core/files/filestore.h"
#include "core/files/projectpath.h"
#include "core/project/openproject.h"

#include <QFile>
#include <QTest>

namespace {

// A book with a stand-in runtime, and a folder beside it that is not the book's.
struct Book : TestBook
{
    QString outside;

    Book()
    {
        QDir(dir.path()).mkdir(QStringLiteral("program"));
        writeBytes(dir.filePath(QStringLiteral("program/kestrin.bin")), "runtime");
        state.ProgramDir = dir.filePath(QStringLiteral("program/"));
        QDir(dir.path()).mkdir(QStringLiteral("elsewhere"));
        outside = dir.filePath(QStringLiteral("elsewhere/secret"));
        writeBytes(outside, "not the book's");
    }
    void plant(const QString& name, const QString& target)
    {
        QVERIFY(QFile::link(target, dir.filePath(name)));
    }
};

} // namespace

class PlantedLinksTest : public QObject
{
    Q_OBJECT

private slots:
    // Names that lead out of the folder through a link are not the book's; a link to a file of
    // the folder is.
    void bookFileNames_followLinks()
    {
        Book book;
        writeBytes(book.dir.filePath(QStringLiteral("REAL.BMP")), "picture");
        book.plant(QStringLiteral("SAME.BMP"), book.dir.filePath(QStringLiteral("REAL.BMP")));
        book.plant(QStringLiteral("OUT.BMP"), book.outside);
        book.plant(QStringLiteral("GONE.BMP"), book.dir.filePath(QStringLiteral("elsewhere/gone")));
        QVERIFY(IsBookFileName(QStringLiteral("SAME.BMP")));
        QVERIFY(!IsBookFileName(QStringLiteral("out.bmp")));
        QVERIFY(!IsBookFileName(QStringLiteral("GONE.BMP")));
        QCOMPARE(thrownText<InOutError>([] { filestore::readAll(QStringLiteral("OUT.BMP")); }),
                 QStringLiteral("OUT.BMP leads to a file outside the book's folder."));
    }

    // A chapter linked to a file elsewhere is refused by the builder; the HyperText file linked
    // elsewhere is not read; an executable linked elsewhere is replaced, its target untouched.
    void builder_readsAndWritesOnlyTheBooksFolder()
    {
        ModelDoubles platform;
        Book book;
        book.plant(QStringLiteral("ONE.QLF"), book.outside);
        book.addChapter("Two", "{\\rtf1 two}");
        writeBytes(book.dir.filePath(QStringLiteral("BOOK.QVC")), QByteArray());
        book.state.CurrentChapter = ChapterRecord{};
        book.state.CurrentChapter.MenuEntry.setText(QStringLiteral("One"));
        book.state.CurrentChapter.ChapterFile.setText(QStringLiteral("ONE.QLF"));
        book.state.CurrentChapter.DisplayFile.setText(QStringLiteral("BOOK.QVD"));
        WriteChapter(book.state, -1);
        QVERIFY(!MakeExecutable(book.state));
        QCOMPARE(platform.messages.texts().first(),
                 QStringLiteral("The chapter \"One\" names ONE.QLF, which is not a file of the "
                                "book's folder."));
        platform.messages.clear();

        QFile::remove(book.dir.filePath(QStringLiteral("BOOK.QVC")));
        book.addChapter("Two", "{\\rtf1 two}");
        book.plant(QStringLiteral("BOOK.QVR"), book.outside);
        QCOMPARE(thrownText<InOutError>([&] { MakeExecutable(book.state); }),
                 QStringLiteral("BOOK.QVR leads to a file outside the book's folder."));
        QFile::remove(book.dir.filePath(QStringLiteral("BOOK.QVR")));

        book.plant(QStringLiteral("BOOK.EXE"), book.outside);
        QVERIFY(MakeExecutable(book.state));
        QCOMPARE(readBytes(book.outside), QByteArray("not the book's"));
        QVERIFY(!QFileInfo(book.dir.filePath(QStringLiteral("BOOK.EXE"))).isSymLink());
        QVERIFY(platform.messages.shown().isEmpty());
    }

    // Opening a project whose display file is a dangling link makes the display file in the
    // book's folder, not at the link's target.
    void danglingDisplayLink_isReplacedNotFollowed()
    {
        CurrentTempDir dir;
        const QString target = dir.filePath(QStringLiteral("elsewhere.QVD"));
        QVERIFY(QFile::link(target, dir.filePath(QStringLiteral("BOOK.QVD"))));
        WorkingState state;
        state.ProjectDir = dir.path() + QLatin1Char('/');
        state.ProjectFile = QStringLiteral("BOOK.QVJ");
        OpenProject(state);
        QVERIFY(!QFileInfo::exists(target));
        QVERIFY(!QFileInfo(dir.filePath(QStringLiteral("BOOK.QVD"))).isSymLink());
    }

    // A distribution folder that is a link to the project is the project; links named like the
    // book's files in a distribution folder are replaced by the copies.
    void distribution_comparesRealPathsAndReplacesLinks()
    {
        ModelDoubles platform;
        Book book;
        book.addChapter("One", "{\\rtf1 one}");
        QVERIFY(MakeExecutable(book.state));
        const QString alias = book.dir.filePath(QStringLiteral("elsewhere/alias"));
        QVERIFY(QFile::link(book.dir.path(), alias));
        QVERIFY(IsProjectDirectory(alias + QLatin1Char('/'), book.state.ProjectDir));
        QVERIFY(!CopyDistribution(book.state, alias + QLatin1Char('/'),
                                  [](const QString&) { return false; }));
        QCOMPARE(platform.messages.texts(), QStringList{kProjectDirectoryRefused});
        platform.messages.clear();

        const QString dist = book.dir.filePath(QStringLiteral("elsewhere/dist"));
        QDir().mkpath(dist);
        QVERIFY(QFile::link(book.outside, dist + QStringLiteral("/BOOK.EXE")));
        QVERIFY(CopyDistribution(book.state, dist + QLatin1Char('/'),
                                 [](const QString&) { return false; }));
        platform.messages.texts();
        QCOMPARE(readBytes(book.outside), QByteArray("not the book's"));
        QVERIFY(!QFileInfo(dist + QStringLiteral("/BOOK.EXE")).isSymLink());
    }
};

QTEST_GUILESS_MAIN(PlantedLinksTest)
#include "tst_plantedlinks.moc"
