// Sound, video and MIDI: how many wave outputs there are, a WAV played to its end, and a media
// device for video and MIDI with a picture surface.
#pragma once

#include "core/services/service.h"

#include <QByteArray>
#include <QSize>
#include <QString>

#include <memory>

class QWidget;

class MediaDevice
{
public:
    virtual ~MediaDevice() = default;
    virtual void play() = 0;
    virtual void pause() = 0;
    virtual void stop() = 0;
    virtual void step() = 0;             // one frame on, so the first frame shows
    virtual qint64 position() const = 0; // milliseconds
    virtual qint64 length() const = 0;
    virtual bool hasVideo() const = 0;
    virtual QSize videoSize() const = 0;
    virtual QWidget* videoSurface() = 0; // null without a picture
};

class Media
{
public:
    virtual ~Media() = default;
    virtual int waveDeviceCount() const = 0;
    // Plays the WAV bytes to the end; false with a reason when they cannot be played.
    virtual bool playWave(const QByteArray& wav, QString& error) = 0;
    // Opens a video or MIDI file; null with a reason when it cannot be opened.
    virtual std::unique_ptr<MediaDevice> open(const QString& file, QWidget* surfaceParent,
                                              QString& error) = 0;
};

// Media through Qt Multimedia, whose libraries are loaded with the media plugin the first time
// they are needed. Where the plugin cannot be loaded there is no wave device, and playing says
// why.
class QtMedia : public Media
{
public:
    int waveDeviceCount() const override;
    bool playWave(const QByteArray& wav, QString& error) override;
    std::unique_ptr<MediaDevice> open(const QString& file, QWidget* surfaceParent,
                                      QString& error) override;
    // Loads the plugin now rather than when first used; false with the message of why it cannot.
    bool load(QString& error) const { return plugin(error) != nullptr; }

private:
    Media* plugin(QString& error) const;
};

using MediaDeviceSlot = ServiceSlot<Media, QtMedia>;

inline Media& media()
{
    return MediaDeviceSlot::get();
}
