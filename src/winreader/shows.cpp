#include "winreader/shows.h"

#include "format/sections/commandsyntax.h"
#include "winreader/media.h"
#include "winreader/messages.h"
#include "winreader/picture.h"
#include "winreader/readerscreen.h"
#include "winreader/screenreport.h"
#include "winreader/wintext.h"

#include <mmsystem.h>
#include <thread>

namespace winreader {

namespace {

constexpr UINT kSoundEnded = WM_APP + 10;
constexpr UINT_PTR kStartSound = 1;
constexpr UINT_PTR kShowTime = 2;

bool isWave(const std::string& name)
{
    return name.size() >= 4 && name.compare(name.size() - 4, 4, ".WAV") == 0;
}

bool missing(const std::string& name, HWND owner)
{
    if (GetFileAttributesW(Wide(name).c_str()) != INVALID_FILE_ATTRIBUTES)
        return false;
    ShowError("The file " + name + " is missing", owner);
    return true;
}

void cannotPlay(const std::string& name, const std::string& why, HWND owner)
{
    ShowError("The file " + name + " cannot be played: " + why, owner);
}

void playWave(const std::string& name, HWND owner)
{
    if (!HasWaveDevice())
        return;
    ReportMessage("Sound", name);
    if (!missing(name, owner) && !PlayWaveFile(name))
        cannotPlay(name, "the system cannot play it", owner);
}

// A picture over the design screen for its time, with its sound; Enter or a right click ends it.
class PictureShow : public ReaderScreen
{
public:
    PictureShow(const std::string& caption, Picture picture, std::string sound, int delayMs,
                HWND owner)
        : ReaderScreen(L"KestrinShow", caption, owner), m_picture(std::move(picture)),
          m_sound(std::move(sound)), m_delayMs(delayMs)
    {}
    ~PictureShow() override
    {
        if (m_player.joinable()) {
            PlaySoundW(nullptr, nullptr, 0); // ends a sound still playing
            m_player.join();
        }
    }

protected:
    void layOut() override
    {
        if (!m_sound.empty())
            SetTimer(handle(), kStartSound, 10, nullptr);
        if (m_delayMs > 0)
            SetTimer(handle(), kShowTime, UINT(m_delayMs), nullptr);
    }
    void command(int id, int) override
    {
        if (id == IDOK || id == IDCANCEL)
            closeOnceHeard();
    }
    void rightClickedOnArea() override { closeOnceHeard(); }
    void paintArea(HDC dc) const override
    {
        const RECT whole = area();
        m_picture.drawStretched(dc, whole);
    }
    LRESULT other(UINT message, WPARAM w, LPARAM l) override
    {
        if (message == WM_TIMER && w == kStartSound) {
            KillTimer(handle(), kStartSound);
            startSound();
            return 0;
        }
        if (message == WM_TIMER && w == kShowTime) {
            KillTimer(handle(), kShowTime);
            closeOnceHeard();
            return 0;
        }
        if (message == kSoundEnded) {
            m_playing = false;
            if (w)
                ReportMessage("Sound ended", m_sound);
            else
                cannotPlay(m_sound, "the system cannot play it", handle());
            if (m_closeAfterSound)
                close();
            return 0;
        }
        return ReaderScreen::other(message, w, l);
    }

private:
    // A show closes only after its sound has ended, whoever closes it: its time, or the reader.
    void closeOnceHeard()
    {
        if (m_playing)
            m_closeAfterSound = true;
        else
            close();
    }
    void startSound()
    {
        if (!isWave(m_sound)) {
            std::string error;
            m_midi = MediaDevice::open(m_sound, nullptr, error);
            if (m_midi.isOpen())
                m_midi.play();
            else
                cannotPlay(m_sound, error, handle());
            return;
        }
        if (!HasWaveDevice())
            return;
        ReportMessage("Sound", m_sound);
        m_playing = true;
        HWND window = handle();
        m_player = std::thread([window, sound = m_sound] {
            PostMessageW(window, kSoundEnded, WPARAM(PlayWaveFile(sound)), 0);
        });
    }

    Picture m_picture;
    std::string m_sound;
    int m_delayMs;
    MediaDevice m_midi;
    std::thread m_player;
    bool m_playing = false;
    bool m_closeAfterSound = false;
};

} // namespace

void ShowCommand(const std::string& caption, const std::string& value,
                 const std::string& mediaPrompt, HWND owner)
{
    const bookformat::ShowCommandParts parts = bookformat::ParseShowCommand(value);
    if (!parts.video.empty()) {
        if (!missing(parts.video, owner))
            OpenMediaPlayer(parts.video, mediaPrompt, owner);
        return;
    }
    if ((!parts.picture.empty() && missing(parts.picture, owner)) ||
        (!parts.sound.empty() && missing(parts.sound, owner)))
        return;
    if (parts.picture.empty()) {
        if (isWave(parts.sound))
            playWave(parts.sound, owner);
        else if (!parts.sound.empty())
            OpenMediaPlayer(parts.sound, mediaPrompt, owner);
        return;
    }
    std::string error;
    Picture picture = Picture::load(parts.picture, error);
    if (picture.isNull()) {
        ShowError(error, owner);
        return;
    }
    PictureShow show(caption, std::move(picture), parts.sound, parts.delayMs, owner);
    show.run();
}

} // namespace winreader
