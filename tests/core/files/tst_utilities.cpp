// File names, numbers, copiers, font texts, the record list, the text codec and name lookup;
// and the one write path: a write that fails (a full disk, a read-only file, a folder in the way)
// leaves the old file as it was and no scratch file, and says why; links are replaced, never
// written through; permissions are kept.
#include "filesizelimit.h"
#include "messagerecorder.h"
#include "testbook.h"
#include "thrown.h"

#include "core/book/executable.h"
#include "core/distribution/distribution.h"
#include "core/files/filecopy.h"
#include "core/files/filenames.h"
#include "core/files/filestore.h"
#include "core/files/programdir.h"
#include "core/files/projectpath.h"
#include "core/files/runtimeerror.h"
#include "core/files/savefile.h"
#include "core/project/chapters.h"
#include "core/project/fonttext.h"
#include "core/project/reclist.h"
#include "core/sections/hypertext.h"
#include "core/sections/introduction.h"

#include <QBuffer>
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

class UtilitiesTest : public QObject
{
    Q_OBJECT

private slots:
    void baseName_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("base");
        QTest::newRow("full path") << u"/books/x/BOOK.QVJ"_s << u"BOOK"_s;
        QTest::newRow("no extension") << u"README"_s << u"README"_s;
        QTest::newRow("several dots") << u"my.old.book.QVJ"_s << u"my.old.book"_s;
        QTest::newRow("dot in folder") << u"a.b/NAME"_s << u"NAME"_s;
    }
    void baseName()
    {
        QFETCH(QString, path);
        QFETCH(QString, base);
        QCOMPARE(BaseName(path), base);
    }

    void validFileName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("valid");
        QTest::newRow("empty") << QString() << true;
        QTest::newRow("blank, stop, backslash") << u"My Book.v2\\x"_s << true;
        for (const char c : QByteArray("\"*+,/:;<=>?[]|"))
            QTest::addRow("with %c", c) << u"a%1b"_s.arg(QLatin1Char(c)) << false;
        QTest::newRow("right-to-left override") << u"NOTES\u202Etxt.exe"_s << false;
        QTest::newRow("first strong isolate") << u"\u2068A.QLF"_s << false;
        QTest::newRow("Arabic and Hebrew letters") << u"\u0643\u062A\u0627\u05D1.QLF"_s << true;
    }
    void validFileName()
    {
        QFETCH(QString, name);
        QFETCH(bool, valid);
        QCOMPARE(ValidFileName(name), valid);
    }

    void integerConversion_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("number");
        QTest::addColumn<int>("value");
        QTest::newRow("decimal") << u"120"_s << true << 120;
        QTest::newRow("signed") << u"-5"_s << true << -5;
        QTest::newRow("leading blanks") << u"  7"_s << true << 7;
        QTest::newRow("hex") << u"$00C0C0C0"_s << true << 0xC0C0C0;
        QTest::newRow("hex wraps") << u"$80000005"_s << true << int(0x80000005);
        QTest::newRow("too big") << u"2147483648"_s << false << 0;
        QTest::newRow("decimal point") << u"1.5"_s << false << 0;
        QTest::newRow("trailing blank") << u"7 "_s << false << 0;
        QTest::newRow("empty") << QString() << false << 0;
        QTest::newRow("sign only") << u"-"_s << false << 0;
    }
    void integerConversion()
    {
        QFETCH(QString, text);
        QFETCH(bool, number);
        QFETCH(int, value);
        QCOMPARE(IsNumber(text), number);
        if (number) {
            QCOMPARE(StrToInt(text), value);
        } else {
            QCOMPARE(thrownText<ConvertError>([&] { StrToInt(text); }),
                     u"'%1' is not a valid integer value"_s.arg(text));
        }
    }

    void fontText_roundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << u"8 0 0 Times New Roman"_s;
        QTest::newRow("bold") << u"16 0 1 Times New Roman"_s;
        QTest::newRow("all styles, colour") << u"12 255 15 Arial"_s;
    }
    void fontText_roundTrip()
    {
        QFETCH(QString, text);
        TextFont font;
        ApplyFontText(text, font);
        QCOMPARE(FontText(font), text);
        const TextFont back = TextFont::fromQFont(font.toQFont(), font.color);
        QCOMPARE(back.style, font.style);
        QCOMPARE(back.size, font.size);
    }
    void fontText_badNumberOrCutShort_raisesConversionError()
    {
        TextFont font;
        QVERIFY_THROWS_EXCEPTION(ConvertError, ApplyFontText(u"big 0 1 Arial"_s, font));
        QVERIFY_THROWS_EXCEPTION(ConvertError, ApplyFontText(u"16 0"_s, font));
    }

    void findInProject_andResolveProjectName()
    {
        CurrentTempDir dir;
        writeBytes(dir.filePath(u"z.jpg"_s), "j");
        writeBytes(dir.filePath(u"A.BMP"_s), "b");
        writeBytes(dir.filePath(u"b.bmp"_s), "b");
        QString name;
        QVERIFY(FindInProject(dir.path(), u"*.bmp"_s, name));
        QCOMPARE(name, u"A.BMP"_s);
        name.clear();
        QVERIFY(FindEitherInProject(dir.path(), u"*.jpg"_s, u"*.bmp"_s, name));
        QCOMPARE(name, u"z.jpg"_s);
        name = u"KEPT.BMP"_s;
        QVERIFY(FindEitherInProject(dir.path(), u"*.jpg"_s, u"*.bmp"_s, name));
        QCOMPARE(name, u"KEPT.BMP"_s);
        QVERIFY(!FindEitherInProject(dir.path(), u"*.wav"_s, u"*.mid"_s, name));
        // A project's name: the exact one first, else any case, else as given.
        writeBytes(dir.filePath(u"Book.qvj"_s), "x");
        QCOMPARE(ResolveProjectName(u"BOOK.QVJ"_s), u"Book.qvj"_s);
        writeBytes(dir.filePath(u"BOOK.QVJ"_s), "y");
        QCOMPARE(ResolveProjectName(u"BOOK.QVJ"_s), u"BOOK.QVJ"_s);
        QCOMPARE(ResolveProjectName(u"NEW.QVD"_s), u"NEW.QVD"_s);
    }

    void masks_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("mask");
        QTest::addColumn<bool>("matches");
        QTest::newRow("case blind") << u"pic.bmp"_s << u"*.BMP;*.JPG"_s << true;
        QTest::newRow("second pattern") << u"PIC.JPG"_s << u"*.BMP;*.JPG"_s << true;
        QTest::newRow("other kind") << u"PIC.WMF"_s << u"*.BMP;*.JPG"_s << false;
        QTest::newRow("scripts are programs") << u"run.sh"_s << u"*.exe;*.com;*.bat"_s << true;
        QTest::newRow("html is help") << u"book.html"_s << u"*.HLP"_s << true;
        QTest::newRow("whole name") << u"a.bmp.txt"_s << u"*.bmp"_s << false;
    }
    void masks()
    {
        QFETCH(QString, file);
        QFETCH(QString, mask);
        QFETCH(bool, matches);
        QCOMPARE(MatchesMask(file, mask), matches);
    }

    // Any file by its path maps without raising: nothing for a missing file or a folder; a
    // file of the book's folder still raises.
    void mappedFile_byPathRaisesNothing()
    {
        CurrentTempDir dir;
        writeBytes(dir.filePath(u"BOOK.BIN"_s), "book");
        writeBytes(dir.filePath(u"EMPTY.BIN"_s), "");
        const auto mapped = filestore::MappedFile::ofPath(dir.filePath(u"BOOK.BIN"_s));
        QVERIFY(mapped);
        QCOMPARE(mapped->sharedBytes(), "book"_ba);
        QVERIFY(filestore::MappedFile::ofPath(dir.filePath(u"EMPTY.BIN"_s))->bytes().isEmpty());
        QVERIFY(!filestore::MappedFile::ofPath(dir.filePath(u"NONE.BIN"_s)));
        QVERIFY(!filestore::MappedFile::ofPath(dir.path()));
        QCOMPARE(thrownText<InOutError>([] { filestore::MappedFile(u"NONE.BIN"_s); }),
                 u"File not found: NONE.BIN"_s);
    }

    void copyFileBytes_andAppendFileTo_tellWhatHappened()
    {
        CurrentTempDir dir;
        writeBytes(dir.filePath(u"src.bin"_s), QByteArray(5000, 'a'));
        QCOMPARE(CopyFileBytes(u"src.bin"_s, u"src.bin"_s), int(CopySameName));
        QCOMPARE(CopyFileBytes(u"none.bin"_s, u"x.bin"_s), int(CopyNoSource));
        QCOMPARE(CopyFileBytes(u"src.bin"_s, u"no/such/dir/x.bin"_s), int(CopyNoTarget));
        QCOMPARE(CopyFileBytes(u"src.bin"_s, u"copy.bin"_s), int(CopyDone));
        QCOMPARE(readBytes(dir.filePath(u"copy.bin"_s)), QByteArray(5000, 'a'));
        QBuffer output;
        output.open(QIODevice::WriteOnly);
        output.write("head");
        QCOMPARE(AppendFileTo(u"src.bin"_s, output), int(CopyDone));
        QCOMPARE(output.data(), QByteArray("head") + QByteArray(5000, 'a'));
        QCOMPARE(AppendFileTo(u"none.bin"_s, output), int(CopyNoSource));
    }

    // Into a folder a copy keeps its name; every copy keeps the source's run permission.
    void copies_keepTheNameAndTheRunPermission()
    {
        CurrentTempDir dir;
        QDir(dir.path()).mkdir(u"dist"_s);
        const QString program = dir.filePath(u"HELLO.SH"_s);
        writeBytes(program, QByteArray(9000, 'p'));
        const QFile::Permissions runnable = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                            QFile::ReadGroup | QFile::ExeGroup;
        QVERIFY(QFile::setPermissions(program, runnable));
        CopyFileInto(program, dir.filePath(u"dist"_s));
        QCOMPARE(readBytes(dir.filePath(u"dist/HELLO.SH"_s)), QByteArray(9000, 'p'));
        CopyFileInto(program, dir.filePath(u"OTHER.SH"_s));
        QCOMPARE(readBytes(dir.filePath(u"OTHER.SH"_s)).size(), 9000);
        QCOMPARE(CopyFileBytes(u"HELLO.SH"_s, u"BYTES.SH"_s), int(CopyDone));
        for (const char* copy : {"BYTES.SH", "dist/HELLO.SH", "OTHER.SH"}) {
            const QFile::Permissions got = QFile::permissions(dir.filePath(QLatin1String(copy)));
            QVERIFY2(got & QFile::ExeOwner, copy);
            QVERIFY2(!(got & QFile::WriteGroup), copy); // the source's, not the default
        }
        QCOMPARE(thrownText<FileOpenError>([&] { CopyFileInto(u"MISSING.BMP"_s, dir.path()); }),
                 u"Cannot open file MISSING.BMP"_s);
        QCOMPARE(thrownText<InOutError>([&] { CopyFileInto(program, u"no/dir/x"_s); }),
                 u"Path not found: no/dir/x"_s);
    }

    void programSupportDir_besideTheProgramElseInstalled()
    {
        CurrentTempDir dir;
        QDir root(dir.path());
        root.mkpath(u"usr/bin"_s);
        root.mkpath(u"usr/lib/quorelle"_s);
        const QString bin = dir.filePath(u"usr/bin"_s);
        // Nothing anywhere: the program's own folder, so messages name where it looked.
        QCOMPARE(ProgramSupportDir(bin, u"../lib/quorelle"_s), bin + QLatin1Char('/'));
        writeBytes(dir.filePath(u"usr/lib/quorelle/kestrin.bin"_s), "ELF");
        QCOMPARE(ProgramSupportDir(bin, u"../lib/quorelle"_s),
                 dir.filePath(u"usr/lib/quorelle/"_s));
        writeBytes(dir.filePath(u"usr/bin/kestrin.bin"_s), "ELF"); // a build tree
        QCOMPARE(ProgramSupportDir(bin, u"../lib/quorelle"_s), bin + QLatin1Char('/'));
    }

    void recordList()
    {
        TRecList list;
        const char a[4] = {'a', 'b', 'c', 'd'};
        list.Add(a, 4);
        list.Add(a, 2);
        QCOMPARE(list.Count(), 2);
        char buffer[4] = {'.', '.', '.', '.'};
        list.Get(0, buffer, 3);
        QCOMPARE(QByteArray(buffer, 4), QByteArray("abc."));
        list.Get(1, buffer, 4);
        QCOMPARE(QByteArray(buffer, 4), QByteArray("abc."));
        QCOMPARE(thrownText<ListIndexError>([&] { list.Get(2, buffer, 4); }),
                 u"List index out of bounds (2)"_s);
    }

    void codec_windows1252()
    {
        const QByteArray bytes("\x80\x93\xE9\x81", 4);
        const QString text = textcodec::decode(bytes);
        QCOMPARE(text, QString::fromUtf8("\u20AC\u201C\u00E9\u0081"));
        QCOMPARE(textcodec::encode(text), bytes);
        QCOMPARE(textcodec::encode(QString::fromUtf8("\u4E2D")), QByteArray("?"));
    }

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

QTEST_GUILESS_MAIN(UtilitiesTest)
#include "tst_utilities.moc"
