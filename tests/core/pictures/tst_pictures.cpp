// The picture loader against hostile files: huge claimed sizes, a metafile that makes its library
// loop for ever, and seeded random damage to JPEG, BMP, ICO and metafiles. Every file must give a
// bounded picture or the "could not be read" message, in bounded time.
#include "testdir.h"

#include "core/pictures/pictures.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QImage>
#include <QRandomGenerator>
#include <QTest>

#include <cstring>

using namespace Qt::StringLiterals;

namespace {

constexpr int kMaxSide = 4096;

QByteArray encoded(const char* format, QSize size = {8, 8})
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(0x20, 0x80, 0xC0));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// The JPEG with its frame header claiming another size.
QByteArray jpegClaiming(quint16 width, quint16 height)
{
    QByteArray jpeg = encoded("JPG");
    const qsizetype frame = jpeg.indexOf("\xFF\xC0");
    jpeg[frame + 5] = char(height >> 8);
    jpeg[frame + 6] = char(height & 0xFF);
    jpeg[frame + 7] = char(width >> 8);
    jpeg[frame + 8] = char(width & 0xFF);
    return jpeg;
}

QString unreadable(const QString& name)
{
    return QStringLiteral("The picture file %1 could not be read: it is damaged or not a picture "
                          "of a known kind.")
        .arg(name);
}

QByteArray corpusMetafile()
{
    return readBytes(QStringLiteral(QUORELLE_CORPUS_DIR "/pict008.wmf"));
}

// Loads the bytes as a picture file and checks the loader's promise: a bounded picture or the
// message, within the metafile time limit and some slack.
void loadsBounded(const QByteArray& bytes, const QString& context)
{
    writeBytes(u"P.PIC"_s, bytes);
    QElapsedTimer timer;
    timer.start();
    const LoadedPicture picture = LoadPicture(u"P.PIC"_s);
    QVERIFY2(timer.elapsed() < 10000, qPrintable(context));
    if (picture.image.isNull())
        QVERIFY2(picture.error == unreadable(u"P.PIC"_s), qPrintable(context));
    else // memory bounded: a picture of at most 4096 x 4096 pixels' worth
        QVERIFY2(qint64(picture.image.width()) * picture.image.height() <=
                     qint64(kMaxSide) * kMaxSide,
                 qPrintable(context));
}

QByteArray mutate(QByteArray bytes, QRandomGenerator& random)
{
    const int edits = 1 + random.bounded(4);
    for (int e = 0; e < edits && !bytes.isEmpty(); ++e) {
        const int at = random.bounded(int(bytes.size()));
        switch (random.bounded(3)) {
        case 0:
            bytes[at] = char(random.bounded(256));
            break;
        case 1:
            bytes[at] = char(0xFF);
            break;
        default:
            bytes.truncate(at);
        }
    }
    return bytes;
}

int rounds()
{
    const int asked = qEnvironmentVariableIntValue("QUORELLE_FUZZ_ROUNDS");
    return asked > 0 ? asked : 150;
}

} // namespace

class PicturesTest : public QObject
{
    Q_OBJECT

private slots:
    // A JPEG or bitmap header claiming a picture too large to hold is refused with the message;
    // a JPEG of 12000 x 12000 is decoded at a quarter: screen-sized memory, not 430 MB.
    void hugeHeaders_areRefusedOrDecodedSmall()
    {
        CurrentTempDir dir;
        writeBytes(dir.filePath(u"HUGE.JPG"_s), jpegClaiming(65500, 65500));
        QByteArray bmp = encoded("BMP");
        const qint32 side = 60000;
        std::memcpy(bmp.data() + 18, &side, 4); // width and height of the info header
        std::memcpy(bmp.data() + 22, &side, 4);
        writeBytes(dir.filePath(u"HUGE.BMP"_s), bmp);
        for (const QString& name : {u"HUGE.JPG"_s, u"HUGE.BMP"_s}) {
            const LoadedPicture huge = LoadPicture(name);
            QVERIFY(huge.image.isNull());
            QCOMPARE(huge.error, unreadable(name));
        }
        writeBytes(dir.filePath(u"BIG.JPG"_s), jpegClaiming(12000, 12000));
        QCOMPARE(LoadPicture(u"BIG.JPG"_s).image.size(), QSize(3000, 3000));
    }

    void metafileThatLoopsForEver_isUnreadableInBoundedTime()
    {
        const QByteArray good = corpusMetafile();
        if (good.isEmpty())
            QSKIP("the RTF corpus with its metafiles is not beside the repository");
        CurrentTempDir dir;
        QByteArray damaged = good;
        damaged[1074 + 10] = 0; // the bitmap header size inside a pattern-brush record
        writeBytes(dir.filePath(u"LOOP.WMF"_s), damaged);
        QElapsedTimer timer;
        timer.start();
        const LoadedPicture picture = LoadPicture(u"LOOP.WMF"_s);
        QVERIFY(timer.elapsed() < 10000);
        QVERIFY(picture.image.isNull());
        QCOMPARE(picture.error, unreadable(u"LOOP.WMF"_s));
        writeBytes(dir.filePath(u"GOOD.WMF"_s),
                   readBytes(QStringLiteral(QUORELLE_CORPUS_DIR "/pict001.wmf")));
        QVERIFY(!LoadPicture(u"GOOD.WMF"_s).image.isNull()); // the others still draw
    }

    void damagedPictures_giveAPictureOrTheMessage_data()
    {
        QTest::addColumn<QByteArray>("seed");
        QTest::addColumn<int>("count");
        QTest::newRow("jpeg") << encoded("JPG", {40, 30}) << rounds();
        QTest::newRow("bmp") << encoded("BMP", {20, 10}) << rounds();
        QTest::newRow("ico") << encoded("ICO", {16, 16}) << rounds();
        // Each metafile runs in a process of its own, and a looping one takes the time limit.
        QTest::newRow("wmf") << corpusMetafile() << rounds() / 10;
    }
    void damagedPictures_giveAPictureOrTheMessage()
    {
        QFETCH(QByteArray, seed);
        QFETCH(int, count);
        if (seed.isEmpty())
            QSKIP("no seed file");
        CurrentTempDir dir;
        QRandomGenerator random(20261207);
        for (int round = 0; round < count; ++round) {
            loadsBounded(mutate(seed, random), u"round %1"_s.arg(round));
            if (QTest::currentTestFailed())
                return;
        }
    }
};

QTEST_MAIN(PicturesTest)
#include "tst_pictures.moc"
