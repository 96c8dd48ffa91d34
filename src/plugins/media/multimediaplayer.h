// Sound, video and MIDI through Qt Multimedia (GStreamer): the media service's implementation,
// in a plugin that quorelle_platform loads the first time a book plays something.
#pragma once

#include "platform/media.h"

class MultimediaPlayer : public Media
{
public:
    int waveDeviceCount() const override;
    bool playWave(const QByteArray& wav, QString& error) override;
    std::unique_ptr<MediaDevice> open(const QString& file, QWidget* surfaceParent,
                                      QString& error) override;
};

// The plugin's entry point: a new MultimediaPlayer, which the caller owns.
extern "C" Media* quorelle_create_media();
