// Sound and video through the system: WAV files with PlaySound, MIDI and AVI through MCI.
#pragma once

#include <string>
#include <windows.h>

namespace winreader {

// An MCI device playing one file: a MIDI tune, or a video shown in a child window of `parent`.
class MediaDevice
{
public:
    // Opens the file (a UTF-8 name of the book's folder); the error text in `error` when it
    // cannot be opened.
    static MediaDevice open(const std::string& file, HWND parent, std::string& error);
    MediaDevice() = default;
    ~MediaDevice();
    MediaDevice(MediaDevice&& other) noexcept;
    MediaDevice& operator=(MediaDevice&& other) noexcept;
    MediaDevice(const MediaDevice&) = delete;
    MediaDevice& operator=(const MediaDevice&) = delete;

    bool isOpen() const { return !m_alias.empty(); }
    bool isVideo() const { return m_video; }
    void play();
    void pause();
    void stop();
    void rewind();
    // Shows a video's first frame and stays there, ready to play.
    void showFirstFrame();
    long length() const;
    long position() const;
    // The video's own size; zero for a tune.
    SIZE videoSize() const;
    // Places the video's window inside its parent.
    void placeVideo(const RECT& area);

private:
    std::wstring send(const std::wstring& command) const;

    std::wstring m_alias;
    bool m_video = false;
};

// Whether the system has a device that plays WAV files.
bool HasWaveDevice();
// Plays a WAV file to its end (the calling thread waits); false when it cannot be played.
bool PlayWaveFile(const std::string& file);

} // namespace winreader
