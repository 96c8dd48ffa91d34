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

using namespace Qt::StringLiterals;

namespace {

// A book with a stand-in runtime, and a folder beside it that is not the book's.
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
        writeBytes(book.dir.filePath(u"REAL.BMP"_s), "picture");
        book.plant(u"SAME.BMP"_s, book.dir.filePath(u"REAL.BMP"_s));
        book.plant(u"OUT.BMP"_s, book.outside);
        book.plant(u"GONE.BMP"_s, book.dir.filePath(u"elsewhere/gone"_s));
        QVERIFY(IsBookFileName(u"SAME.BMP"_s));
        QVERIFY(!IsBookFileName(u"out.bmp"_s));
        QVERIFY(!IsBookFileName(u"GONE.BMP"_s));
        QCOMPARE(thrownText<InOutError>([] { filestore::readAll(u"OUT.BMP"_s); }),
                 u"OUT.BMP leads to a file outside the book's folder."_s);
    }

    // A chapter linked to a file elsewhere is refused by the builder; the HyperText file linked
    // elsewhere is not read; an executable linked elsewhere is replaced, its target untouched.
    void builder_readsAndWritesOnlyTheBooksFolder()
    {
        ModelDoubles platform;
        Book book;
        book.addChapter("One", "{\\rtf1 one}");
        QFile::remove(book.dir.filePath(u"One.QLF"_s));
        book.plant(u"One.QLF"_s, book.outside);
        QVERIFY(!MakeExecutable(book.state));
        QCOMPARE(platform.messages.texts().first(),
                 QStringLiteral("The chapter \"One\" names One.QLF, which is not a file of the "
                                "book's folder."));
        platform.messages.clear();

        QFile::remove(book.dir.filePath(u"BOOK.QVC"_s));
        book.addChapter("Two", "{\\rtf1 two}");
        book.plant(u"BOOK.QVR"_s, book.outside);
        QCOMPARE(thrownText<InOutError>([&] { MakeExecutable(book.state); }),
                 u"BOOK.QVR leads to a file outside the book's folder."_s);
        QFile::remove(book.dir.filePath(u"BOOK.QVR"_s));

        book.plant(u"BOOK.EXE"_s, book.outside);
        QVERIFY(MakeExecutable(book.state));
        QCOMPARE(readBytes(book.outside), QByteArray("not the book's"));
        QVERIFY(!QFileInfo(book.dir.filePath(u"BOOK.EXE"_s)).isSymLink());
        QVERIFY(platform.messages.shown().isEmpty());
    }

    // Opening a project whose display file is a dangling link makes the display file in the
    // book's folder, not at the link's target.
    void danglingDisplayLink_isReplacedNotFollowed()
    {
        CurrentTempDir dir;
        const QString target = dir.filePath(u"elsewhere.QVD"_s);
        QVERIFY(QFile::link(target, dir.filePath(u"BOOK.QVD"_s)));
        WorkingState state;
        state.ProjectDir = dir.path() + QLatin1Char('/');
        state.ProjectFile = u"BOOK.QVJ"_s;
        OpenProject(state);
        QVERIFY(!QFileInfo::exists(target));
        QVERIFY(!QFileInfo(dir.filePath(u"BOOK.QVD"_s)).isSymLink());
    }

    // A distribution folder that is a link to the project is the project; links named like the
    // book's files in a distribution folder are replaced by the copies.
    void distribution_comparesRealPathsAndReplacesLinks()
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
        platform.messages.clear();

        const QString dist = book.dir.filePath(u"elsewhere/dist"_s);
        QDir().mkpath(dist);
        QVERIFY(QFile::link(book.outside, dist + u"/BOOK.EXE"_s));
        QVERIFY(CopyDistribution(book.state, dist + QLatin1Char('/'),
                                 [](const QString&) { return false; }));
        platform.messages.texts();
        QCOMPARE(readBytes(book.outside), QByteArray("not the book's"));
        QVERIFY(!QFileInfo(dist + u"/BOOK.EXE"_s).isSymLink());
    }
};

QTEST_GUILESS_MAIN(PlantedLinksTest)
#include "tst_plantedlinks.moc"
