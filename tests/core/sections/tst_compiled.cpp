// The compiled form of section files: its exact layout, and the reader's lookups and checks.
#include "testdir.h"

#include "core/files/filestore.h"
#include "core/sections/compiledsections.h"

#include <QTest>

#include <cstring>

using namespace Qt::StringLiterals;

namespace {

qint32 intAt(const QByteArray& bytes, int offset)
{
    qint32 value;
    std::memcpy(&value, bytes.constData() + offset, 4);
    return value;
}

QByteArray stringAt(const QByteArray& bytes, int offset)
{
    return bytes.mid(offset + 1, quint8(bytes.at(offset)));
}

const QByteArray kSource =
    "junk before\r\n"
    "[Paris]\r\nsource=HYPER\r\ntype=2\r\ncommand=P.BMP\r\n]\r\n\r\nbetween\r\n"
    "[Rome]\r\nsource=HYPER\r\ntype=3\r\ncommand=R.WAV\r\n]\r\n\r\n";

} // namespace

class CompiledTest : public QObject
{
    Q_OBJECT

private slots:
    void compile_layoutByteForByteAndCuts()
    {
        const QByteArray out = CompileSections(kSource);
        QCOMPARE(out.left(5), QByteArray("\x03KR1\0", 5));
        QCOMPARE(intAt(out, 5), 2);
        const QByteArray paris = "[Paris]\r\nHYPER\r\ntype=2\r\ncommand=P.BMP\r\n";
        const QByteArray rome = "[Rome]\r\nHYPER\r\ntype=3\r\ncommand=R.WAV\r\n";
        QCOMPARE(out.mid(13, paris.size() + rome.size()), paris + rome);
        const int index = 13 + paris.size() + rome.size();
        QCOMPARE(intAt(out, 9), index);
        QCOMPARE(out.size(), index + 2 * 80);

        QCOMPARE(stringAt(out, index), QByteArray("[Paris]"));
        QCOMPARE(out.mid(index + 1 + 7, 60 - 7), QByteArray(53, '\0'));
        QCOMPARE(intAt(out, index + 61), 13);
        QCOMPARE(intAt(out, index + 65), paris.size());
        QCOMPARE(stringAt(out, index + 69), QByteArray("HYPER"));
        QCOMPARE(intAt(out, index + 80 + 61), 13 + paris.size());
        QCOMPARE(intAt(out, index + 80 + 65), rome.size());

        // The index cuts a header at 60 bytes and a source at 10; the body keeps the header whole.
        const QByteArray longName(70, 'n');
        const QByteArray cut =
            CompileSections("[" + longName + "]\r\nsource=ABCDEFGHIJKLM\r\n]\r\n");
        const int cutIndex = intAt(cut, 9);
        QCOMPARE(stringAt(cut, cutIndex), "[" + longName.left(59));
        QCOMPARE(stringAt(cut, cutIndex + 69), QByteArray("ABCDEFGHIJ"));
        QCOMPARE(cut.mid(13, cutIndex - 13), "[" + longName + "]\r\nABCDEFGHIJ\r\n");
        const CompiledSections sections = CompiledSections::fromBytes(cut);
        QCOMPARE(sections.find(QString::fromLatin1(longName), u"abcdefghijklm"_s), 0);
        QCOMPARE(sections.find(QString::fromLatin1(longName.left(59)) + u"zz"_s, u"ABCDEFGHIJ"_s),
                 0);
    }

    void compiledFiles_emptyIsThirteenBytesAndReadAtAnOffset()
    {
        CurrentTempDir dir;
        writeBytes(u"EMPTY.QVR"_s, "no sections here\r\n");
        QVERIFY(CompileSectionFile(u"EMPTY.QVR"_s, u"$$$"_s));
        QCOMPARE(readBytes(u"EMPTY.$$$"_s), QByteArray("\x03KR1\0\0\0\0\0\0\0\0\0", 13));
        QCOMPARE(CompiledSections::fromBytes(readBytes(u"EMPTY.$$$"_s)).count(), 0);
        QVERIFY(!CompileSectionFile(u"NONE.QVR"_s, u"$$$"_s));
        QVERIFY(!QFile::exists(u"NONE.$$$"_s));

        // A block read from a file at an offset, as a book holds it.
        const QByteArray block = CompileSections(kSource);
        writeBytes(u"BOOK.EXE"_s, QByteArray(1000, 'x') + block + QByteArray(20, 'y'));
        const CompiledSections sections =
            CompiledSections::fromFile(u"BOOK.EXE"_s, 1000, block.size());
        QStringList lines;
        QVERIFY(sections.readEntry(u"ROME"_s, u"HYPER"_s, lines));
        QCOMPARE(lines.at(0), u"Rome"_s);
        QVERIFY_THROWS_EXCEPTION(CompiledBlockError, CompiledSections::fromFile(
                                                         u"BOOK.EXE"_s, 1000, block.size() + 100));
        QVERIFY_THROWS_EXCEPTION(InOutError, CompiledSections::fromFile(u"NONE.EXE"_s, 0, 13));
    }

    void reader_refusesDamagedBlocks_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<qint32>("value");
        const QByteArray good = CompileSections(kSource);
        const int index = intAt(good, 9);
        QTest::newRow("bad magic") << 1 << qint32(0x00314B51);
        QTest::newRow("absurd count") << 5 << qint32(0x7FFFFFFF);
        QTest::newRow("negative count") << 5 << qint32(-1);
        QTest::newRow("index past the end") << 9 << qint32(good.size() - 80);
        QTest::newRow("index inside the header") << 9 << qint32(4);
        QTest::newRow("body offset outside") << index + 61 << qint32(good.size() + 5);
        QTest::newRow("body into the index") << index + 65 << qint32(1000);
        QTest::newRow("negative size") << index + 65 << qint32(-2);
        QTest::newRow("header length over 60") << index << qint32(0x000000FF);
    }
    void reader_refusesDamagedBlocks()
    {
        QFETCH(int, offset);
        QFETCH(qint32, value);
        QByteArray block = CompileSections(kSource);
        if (offset == index0())
            block[offset] = char(value);
        else
            std::memcpy(block.data() + offset, &value, 4);
        QVERIFY_THROWS_EXCEPTION(CompiledBlockError, CompiledSections::fromBytes(block));
    }

    // A short block is refused at once; checked on first use, a record is checked when it is used.
    void reader_shortBlocksAndChecksOnFirstUse()
    {
        QByteArray block = CompileSections(kSource);
        const QByteArray good = block;
        for (int size : {0, 5, 12, int(block.size()) - 1})
            QVERIFY_THROWS_EXCEPTION(CompiledBlockError,
                                     CompiledSections::fromBytes(block.left(size)));
        const qint32 bad = 0x7FFFFFF0;
        std::memcpy(block.data() + index0() + 61, &bad, 4); // the first record's body offset
        const CompiledSections lazy = CompiledSections::fromBytes(block, IndexCheck::OnFirstUse);
        QCOMPARE(lazy.count(), CompiledSections::fromBytes(good).count());
        QVERIFY_THROWS_EXCEPTION(CompiledBlockError, lazy.headerLine(0));
        QVERIFY_THROWS_EXCEPTION(CompiledBlockError, lazy.find(u"Paris"_s, u"HYPER"_s));
        QVERIFY_THROWS_EXCEPTION(CompiledBlockError, lazy.headerLine(lazy.count()));
        // The index's extent is still checked at once.
        QVERIFY_THROWS_EXCEPTION(CompiledBlockError, CompiledSections::fromBytes(
                                                         good.chopped(1), IndexCheck::OnFirstUse));
    }

private:
    static int index0() { return intAt(CompileSections(kSource), 9); }
};

QTEST_GUILESS_MAIN(CompiledTest)
#include "tst_compiled.moc"
