// The one write path: a write that fails (a full disk, a read-only file, a folder in the way)
// leaves the old file as it was and no scratch file, and says why; links are replaced, never
// written through; permissions are kept.
#include "filesizelimit.h"
#include "messagerecorder.h"
#include "testbook.h"
#include "thrown.h"

#include "core/book/executable.h"
#include "core/distribution/distribution.h"
#include "core/epub/epubexport.h"
#include "core/files/filecopy.h"
#include "core/files/filestore.h"
#include "core/files/savefile.h"
#include "core/project/chapters.h"
#include "core/sections/hypertext.h"
#include "core/sections/introduction.h"

#include <QFile>
#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

using Write = std::function<void(TestBook&)>;

// Everything in the folder, name and bytes, to compare before and after.
QMap<QString, QByteArray> folderBytes(const QDir& dir)
{
    QMap<QString, QByteArray> bytes;
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
        bytes.insert(name, readBytes(dir.filePath(name)));
    return bytes;
}

} // namespace

Q_DECLARE_METATYPE(Write)

class SaveFileTest : public QObject
{
    Q_OBJECT

private slots:
    // Each kind of file the tool writes, on a disk that has no room left: every file of the
    // folder keeps its bytes, no scratch file is left, and the error is the disk's.
    void fullDisk_leavesEveryFileAsItWas_data()
    {
        QTest::addColumn<Write>("write");
        const auto row = [](const char* name, Write write) { QTest::newRow(name) << write; };
        row("project file", [](TestBook& b) {
            b.state.Project.Config.BookTitle.setText(u"Changed"_s);
            WriteProject(b.state);
        });
        row("chapter list, added to", [](TestBook& b) { WriteChapter(b.state, -1); });
        row("chapter list, compacted", [](TestBook& b) { RemoveChapterAt(b.state, 0); });
        row("chapter list, reordered", [](TestBook& b) { MoveChapter(b.state, 0, 2); });
        row("display file", [](TestBook& b) { WriteDisplayFile(b.state, u"BOOK.QVD"_s); });
        row("HyperText file", [](TestBook& b) {
            AddEntry(b.state.HyperTextFile, u"Moon"_s, 2, u"M.BMP"_s, kHyperSource);
        });
        row("introduction",
            [](TestBook& b) { ReplaceIntroEntry(b.state.HyperTextFile, {QString(300, u'i')}); });
        row("chapter text",
            [](TestBook&) { filestore::writeAll(u"ONE.QLF"_s, QByteArray(200, 'c')); });
        row("executable", [](TestBook& b) { MakeExecutable(b.state); });
        row("copy", [](TestBook&) { CopyFileInto(u"One.QLF"_s, u"Two.QLF"_s); });
    }
    void fullDisk_leavesEveryFileAsItWas()
    {
        QFETCH(Write, write);
        ModelDoubles platform;
        TestBook book;
        book.addChapter("One", QByteArray(5000, 'o'));
        book.addChapter("Two", QByteArray(5000, 't'));
        book.addChapter("Three", "{\\rtf1 three}");
        AddEntry(book.state.HyperTextFile, u"Sun"_s, 2, QString(3000, u's'), kHyperSource);
        AddIntroEntry(book.state.HyperTextFile, {u"{\\rtf1 welcome}"_s});
        QDir(book.dir.path()).mkdir(u"program"_s);
        writeBytes(book.dir.filePath(u"program/kestrin.bin"_s), QByteArray(400, 'k'));
        book.state.ProgramDir = book.dir.filePath(u"program/"_s);
        writeBytes(book.dir.filePath(u"BOOK.EXE"_s), QByteArray(9000, 'e'));
        const QMap<QString, QByteArray> before = folderBytes(book.dir.path());

        QString error;
        {
            const FileSizeLimit full(64);
            error = thrownText<InOutError>([&] { write(book); });
        }
        QVERIFY2(error.startsWith(u"Disk full"_s), qPrintable(error));
        QCOMPARE(folderBytes(book.dir.path()), before);
        QVERIFY(platform.messages.shown().isEmpty());
    }

    // A distribution into a full disk keeps the earlier copies: each new copy replaces its old
    // one only when it is complete.
    void fullDisk_distributionKeepsItsEarlierCopies()
    {
        ModelDoubles platform;
        TestBook book;
        QDir(book.dir.path()).mkdir(u"program"_s);
        writeBytes(book.dir.filePath(u"program/kestrin.bin"_s), QByteArray(400, 'k'));
        book.state.ProgramDir = book.dir.filePath(u"program/"_s);
        book.addChapter("One", "{\\rtf1 one}");
        QVERIFY(MakeExecutable(book.state));
        const QString dist = book.dir.filePath(u"dist/"_s);
        const auto none = [](const QString&) { return false; };
        QVERIFY(CopyDistribution(book.state, dist, none));
        platform.messages.texts();
        const QMap<QString, QByteArray> before = folderBytes(dist);

        writeBytes(book.dir.filePath(u"program/kestrin.bin"_s), QByteArray(900, 'K'));
        QVERIFY(MakeExecutable(book.state));
        QString error;
        {
            const FileSizeLimit full(64);
            error = thrownText<InOutError>([&] { CopyDistribution(book.state, dist, none); });
        }
        QVERIFY2(error.startsWith(u"Disk full: "_s), qPrintable(error));
        QCOMPARE(folderBytes(dist), before);
    }

    // A rewrite keeps the file's permissions; a file without any write permission is refused
    // and stays; a folder in the file's place refuses the rename and leaves no scratch file; a
    // link is replaced, and the file it pointed to keeps its bytes.
    void permissions_keptReadOnlyRefusedLinksReplaced()
    {
        CurrentTempDir dir;
        const QString list = dir.filePath(u"BOOK.QVC"_s);
        writeBytes(list, "old");
        QFile::setPermissions(list, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        filestore::rewriteThroughScratch(u"BOOK.QVC"_s, u"BOOK.tmp"_s, "new");
        QCOMPARE(readBytes(list), QByteArray("new"));
        QCOMPARE(QFile::permissions(list), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                               QFileDevice::ReadUser | QFileDevice::WriteUser);

        QFile::setPermissions(list, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
        QVERIFY(thrownText<InOutError>([] {
                    filestore::writeAll(u"BOOK.QVC"_s, "newer");
                }).startsWith(u"File access denied"_s));
        QFile::setPermissions(list, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QCOMPARE(readBytes(list), QByteArray("new"));

        QDir(dir.path()).mkdir(u"BOOK.QVD"_s);
        QVERIFY_THROWS_EXCEPTION(InOutError, filestore::writeAll(u"BOOK.QVD"_s, "display"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"BOOK.QVC"_s});

        // A link is replaced by the file written, never written through.
        QDir(dir.path()).mkdir(u"outside"_s);
        const QString outside = dir.filePath(u"outside/keys"_s);
        writeBytes(outside, "secret");
        QVERIFY(QFile::link(outside, dir.filePath(u"BOOK.EXE"_s)));
        filestore::writeAll(u"BOOK.EXE"_s, "book");
        QCOMPARE(readBytes(outside), QByteArray("secret"));
        QVERIFY(!QFileInfo(dir.filePath(u"BOOK.EXE"_s)).isSymLink());
        QCOMPARE(readBytes(dir.filePath(u"BOOK.EXE"_s)), QByteArray("book"));
    }

    // Two writers of one file at once (two builds of one book) never share a scratch file: each
    // writes its own, and the last to finish is the file.
    void saveFile_twoWritersAndPatches()
    {
        CurrentTempDir dir;
        const QString file = dir.filePath(u"BOOK.EXE"_s);
        filestore::SaveFile first(file, u"BOOK.$$$"_s);
        filestore::SaveFile second(file, u"BOOK.$$$"_s);
        first.open();
        second.open();
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2);
        first.write("first");
        second.write("second");
        first.commit();
        second.commit();
        QCOMPARE(readBytes(file), QByteArray("second"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"BOOK.EXE"_s});

        // The device seeks back to patch what it wrote, as the book's builder does.
        filestore::SaveFile patched(dir.filePath(u"BOOK.CMP"_s));
        patched.open();
        patched.write("0000tail");
        patched.seek(0);
        patched.write("head");
        patched.seek(8);
        patched.write("!");
        patched.commit();
        QCOMPARE(readBytes(dir.filePath(u"BOOK.CMP"_s)), QByteArray("headtail!"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                 QStringList({u"BOOK.CMP"_s, u"BOOK.EXE"_s}));
    }
};

QTEST_GUILESS_MAIN(SaveFileTest)
#include "tst_savefile.moc"
