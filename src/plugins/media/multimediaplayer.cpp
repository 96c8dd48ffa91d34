// Media through Qt Multimedia (GStreamer). Waits run a local event loop that leaves out the
// user's input, so the window repaints but the book does not go on until the sound ends.
#include "plugins/media/multimediaplayer.h"

#include "format/reader/wavelength.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QBuffer>
#include <QEventLoop>
#include <QMediaDevices>
#include <QMediaMetaData>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>
#include <QVideoWidget>

namespace {

// Waits until the player has loaded its media or failed; false with the player's reason.
bool waitLoaded(QMediaPlayer& player, QString& error)
{
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&player, &QMediaPlayer::mediaStatusChanged, &loop,
                     [&loop](QMediaPlayer::MediaStatus status) {
                         if (status == QMediaPlayer::LoadedMedia ||
                             status == QMediaPlayer::InvalidMedia ||
                             status == QMediaPlayer::BufferedMedia)
                             loop.quit();
                     });
    QObject::connect(&player, &QMediaPlayer::errorOccurred, &loop, &QEventLoop::quit);
    if (player.mediaStatus() == QMediaPlayer::LoadingMedia ||
        player.mediaStatus() == QMediaPlayer::NoMedia) {
        timeout.start(10000);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (player.error() != QMediaPlayer::NoError ||
        player.mediaStatus() == QMediaPlayer::InvalidMedia) {
        error = player.errorString().isEmpty() ? QStringLiteral("the file cannot be played")
                                               : player.errorString();
        return false;
    }
    return true;
}

class MultimediaDevice : public MediaDevice
{
public:
    MultimediaDevice(const QString& file, QWidget* surfaceParent)
        : m_video(surfaceParent ? new QVideoWidget(surfaceParent) : nullptr)
    {
        m_player.setAudioOutput(&m_audio);
        if (m_video) {
            // Hidden until a film shows in it: a tune has none, and an empty surface is black.
            m_video->hide();
            m_player.setVideoOutput(m_video);
        }
        m_player.setSource(QUrl::fromLocalFile(file));
    }
    ~MultimediaDevice() override
    {
        m_player.stop();
        delete m_video;
    }
    bool load(QString& error) { return waitLoaded(m_player, error); }

    void play() override { m_player.play(); }
    void pause() override { m_player.pause(); }
    void stop() override { m_player.stop(); }
    void step() override
    {
        m_player.play();
        m_player.pause();
    }
    qint64 position() const override { return m_player.position(); }
    qint64 length() const override { return m_player.duration(); }
    bool hasVideo() const override { return m_player.hasVideo(); }
    QSize videoSize() const override
    {
        const QVariant size = m_player.metaData().value(QMediaMetaData::Resolution);
        return size.isValid() ? size.toSize() : QSize(320, 240);
    }
    QWidget* videoSurface() override { return hasVideo() ? m_video : nullptr; }

private:
    QMediaPlayer m_player;
    QAudioOutput m_audio;
    QVideoWidget* m_video;
};

} // namespace

int MultimediaPlayer::waveDeviceCount() const
{
    return int(QMediaDevices::audioOutputs().size());
}

bool MultimediaPlayer::playWave(const QByteArray& wav, QString& error)
{
    QBuffer buffer;
    buffer.setData(wav);
    buffer.open(QIODevice::ReadOnly);
    QMediaPlayer player;
    QAudioOutput output;
    player.setAudioOutput(&output);
    player.setSourceDevice(&buffer, QUrl(QStringLiteral("sound.wav")));
    if (!waitLoaded(player, error))
        return false;
    QEventLoop loop;
    QObject::connect(&player, &QMediaPlayer::mediaStatusChanged, &loop,
                     [&loop](QMediaPlayer::MediaStatus status) {
                         if (status == QMediaPlayer::EndOfMedia ||
                             status == QMediaPlayer::InvalidMedia)
                             loop.quit();
                     });
    QObject::connect(&player, &QMediaPlayer::errorOccurred, &loop, &QEventLoop::quit);
    // A sound whose end never comes must not hold the book for ever.
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    limit.start(int(std::min<qint64>(
        bookformat::WaveWaitLimitMs(std::string_view(wav.constData(), std::size_t(wav.size())),
                                    player.duration()),
        3600000)));
    player.play();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    player.stop();
    if (player.error() != QMediaPlayer::NoError) {
        error = player.errorString();
        return false;
    }
    return true;
}

std::unique_ptr<MediaDevice> MultimediaPlayer::open(const QString& file, QWidget* surfaceParent,
                                                    QString& error)
{
    auto device = std::make_unique<MultimediaDevice>(file, surfaceParent);
    if (!device->load(error))
        return nullptr;
    return device;
}

extern "C" __attribute__((visibility("default"))) Media* quorelle_create_media()
{
    return new MultimediaPlayer;
}
