// Create Executable end to end: the executable e-book is written, offered, and passes the
// reader runtime's own check; cut short, the runtime refuses it.
#include "doubles.h"
#include "testbook.h"

#include "core/book/elfimage.h"
#include "core/sections/hypertext.h"
#include "ui/publish/buildandoffertest.h"

#include <QProcess>
#include <QTest>

#include <cstring>

namespace {

using Book = TestBook;

qint32 intAt(const QByteArray& bytes, qsizetype at)
{
    qint32 value;
    std::memcpy(&value, bytes.constData() + at, 4);
    return value;
}

QString verify(const QString& executable, int& exitCode)
{
    QProcess process;
    process.start(executable, {QStringLiteral("--verify")});
    process.waitForFinished(30000);
    exitCode = process.exitCode();
    return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError())
        .trimmed();
}

} // namespace

class ExecutableTest : public QObject
{
    Q_OBJECT

private slots:
    void executable_runsItsOwnCheck()
    {
        PlatformDoubles platform;
        Book book;
        book.addChapter("One", "{\\rtf1 one}");
        book.addChapter("Two", "{\\rtf1 two}");
        AddEntry(book.state.HyperTextFile, QStringLiteral("Sun"), 2, QStringLiteral("SUN.BMP"),
                 kHyperSource);
        platform.messages.answer(MessageAnswer::No);
        BuildAndOfferTest(book.state);
        QCOMPARE(platform.messages.texts(),
                 QStringList{QStringLiteral("The Executable E-Book BOOK.EXE has been "
                                            "created.\n\r\n\rDo you want to test it now?")});
        QVERIFY(!book.dir.entries().contains(QStringLiteral("BOOK.CMP")));
        const QString exe = book.dir.filePath(QStringLiteral("BOOK.EXE"));
        QVERIFY(QFileInfo(exe).isExecutable());
        const QByteArray runtime = readBytes(QStringLiteral(QUORELLE_BIN_DIR "/kestrin.bin"));
        const QByteArray whole = readBytes(exe);
        QVERIFY(whole.startsWith(runtime));
        QCOMPARE(ElfImageEnd(whole), runtime.size());

        int code = -1;
        QCOMPARE(verify(exe, code),
                 QStringLiteral("2 chapters, 1 display records, 1 HyperText entries, %1 bytes")
                     .arg(whole.size() - runtime.size()));
        QCOMPARE(code, 0);

        // Cut short, the book is refused with a message and a non-zero exit.
        writeBytes(exe, whole.left(whole.size() - 40));
        QVERIFY(verify(exe, code).startsWith(QStringLiteral("The e-book is damaged")));
        QCOMPARE(code, 1);
        // Tables that disagree: the chapter count set to 0.
        QByteArray noChapters = whole;
        const qint64 chapterSection = intAt(whole, runtime.size() + 5385);
        std::memset(noChapters.data() + runtime.size() + chapterSection, 0, 4);
        writeBytes(exe, noChapters);
        QVERIFY(verify(exe, code).startsWith(QStringLiteral("The e-book is damaged")));
        QCOMPARE(code, 1);

        QVERIFY(verify(QStringLiteral(QUORELLE_BIN_DIR "/kestrin.bin"), code)
                    .contains(QStringLiteral("holds no book")));
        QCOMPARE(code, 1);
    }

    // The runtime shows a chapter that is plain text, or empty, as plain text: its check passes.
    void plainAndEmptyChapters_passTheCheck()
    {
        PlatformDoubles platform;
        Book book;
        book.addChapter("Plain", "Just words, no formatting.");
        book.addChapter("Empty", "");
        platform.messages.answer(MessageAnswer::No);
        BuildAndOfferTest(book.state);
        QCOMPARE(platform.messages.texts().size(), 1);
        int code = -1;
        const QString summary = verify(book.dir.filePath(QStringLiteral("BOOK.EXE")), code);
        QVERIFY2(summary.startsWith(QStringLiteral("2 chapters, 1 display records")),
                 qPrintable(summary));
        QCOMPARE(code, 0);
    }
};

QTEST_MAIN(ExecutableTest)
#include "tst_executable.moc"
