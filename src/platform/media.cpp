// The media service's Qt implementation, loaded from the media plugin.
#include "platform/media.h"

#include "core/plugins/plugin.h"

Media* QtMedia::plugin(QString& error) const
{
    static Plugin plugin("media");
    static std::unique_ptr<Media> player;
    if (!player) {
        const auto entry = plugin.function<Media*()>("quorelle_create_media", error);
        if (entry)
            player.reset(entry());
    }
    if (!player)
        error = QStringLiteral("Sound and video cannot be played: %1.").arg(error);
    return player.get();
}

int QtMedia::waveDeviceCount() const
{
    QString error;
    const Media* player = plugin(error);
    return player ? player->waveDeviceCount() : 0;
}

bool QtMedia::playWave(const QByteArray& wav, QString& error)
{
    Media* player = plugin(error);
    return player && player->playWave(wav, error);
}

std::unique_ptr<MediaDevice> QtMedia::open(const QString& file, QWidget* surfaceParent,
                                           QString& error)
{
    Media* player = plugin(error);
    return player ? player->open(file, surfaceParent, error) : nullptr;
}
