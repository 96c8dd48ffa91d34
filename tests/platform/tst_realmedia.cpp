// The real media backend (Qt Multimedia over GStreamer) plays the sample book's WAV and MIDI tune
// and an AVI to their ends; the video is made by GStreamer's own tool.
#include "testdir.h"

#include "format/reader/wavelength.h"
#include "platform/media.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace {

const QString kSample = QStringLiteral(QUORELLE_SOURCE_DIR "/resources/sample/");

qint64 waitLimit(const QByteArray& wav, qint64 playerDurationMs)
{
    return bookformat::WaveWaitLimitMs(std::string_view(wav.constData(), std::size_t(wav.size())),
                                       playerDurationMs);
}

// Half a second of 8-bit sound at 8 kHz.
QByteArray wav()
{
    return readBytes(kSample + u"WAVE.WAV"_s);
}

// Plays the device until its position reaches its length, for at most ten seconds.
bool playsToTheEnd(MediaDevice& device)
{
    device.play();
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 10000) {
        QEventLoop loop;
        QTimer::singleShot(100, &loop, &QEventLoop::quit);
        loop.exec();
        if (device.length() > 0 && device.position() >= device.length())
            return true;
    }
    return false;
}

} // namespace

class RealMediaTest : public QObject
{
    Q_OBJECT

private slots:
    void wave_playsToTheEnd()
    {
        QtMedia media;
        QString error;
        QVERIFY2(media.playWave(wav(), error), qPrintable(error));
        QVERIFY(!media.playWave("RIFF and nothing more", error));
    }

    void wave_waitIsBoundedByItsLength()
    {
        QCOMPARE(waitLimit(wav(), 0), 500 + 3000);     // 4000 bytes at 8000 a second
        QCOMPARE(waitLimit(wav(), 1200), 1200 + 3000); // the player knows better
        QByteArray endless = wav();
        endless.replace(28, 4, QByteArray(4, '\0')); // no byte rate: the length is unknown
        QCOMPARE(waitLimit(endless, 0), 60000);
        QCOMPARE(waitLimit("RIFF", 0), 60000);
    }

    void midi_playsToTheEnd()
    {
        QtMedia media;
        QString error;
        // Opened for a player window, a tune puts nothing on it: no black film surface.
        QWidget host;
        host.resize(338, 48);
        std::unique_ptr<MediaDevice> device = media.open(kSample + u"TUNE.MID"_s, &host, error);
        QVERIFY2(device, qPrintable(error));
        host.show(); // as the player window shows once its device is open
        QVERIFY(!device->hasVideo());
        QVERIFY(!device->videoSurface());
        for (const QWidget* child : host.findChildren<QWidget*>())
            QVERIFY2(!child->isVisible(), child->metaObject()->className());
        QVERIFY(playsToTheEnd(*device));
    }

    void video_playsToTheEnd()
    {
        const QString tool = QStandardPaths::findExecutable(u"gst-launch-1.0"_s);
        if (tool.isEmpty())
            QSKIP("GStreamer's command-line tool is not installed");
        QTemporaryDir dir;
        const QString avi = dir.filePath(u"film.avi"_s);
        QProcess make;
        make.start(tool,
                   {u"-q"_s, u"videotestsrc"_s, u"num-buffers=10"_s, u"!"_s,
                    u"video/x-raw,width=160,height=120,framerate=10/1"_s, u"!"_s, u"jpegenc"_s,
                    u"!"_s, u"avimux"_s, u"!"_s, u"filesink"_s, u"location="_s + avi});
        QVERIFY(make.waitForFinished(30000));
        QtMedia media;
        QString error;
        QWidget host;
        std::unique_ptr<MediaDevice> device = media.open(avi, &host, error);
        QVERIFY2(device, qPrintable(error));
        QVERIFY(device->hasVideo());
        QVERIFY(device->videoSurface());
        QVERIFY(playsToTheEnd(*device));
    }
};

QTEST_MAIN(RealMediaTest)
#include "tst_realmedia.moc"
