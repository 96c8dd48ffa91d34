#include "winreader/shows.h"

#include "format/reader/showplan.h"
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
        if (!bookformat::IsWaveName(m_sound)) {
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
    const bookformat::ShowPlan plan = bookformat::PlanShow(bookformat::ParseShowCommand(value));
    for (const std::string* file : {&plan.video, &plan.picture, &plan.sound}) {
        if (!file->empty() && missing(*file, owner))
            return;
    }
    switch (plan.mode) {
    case bookformat::ShowMode::Player:
        OpenMediaPlayer(plan.video.empty() ? plan.sound : plan.video, mediaPrompt, owner);
        return;
    case bookformat::ShowMode::Sound:
        playWave(plan.sound, owner);
        return;
    case bookformat::ShowMode::Picture:
        break;
    case bookformat::ShowMode::Nothing:
        return;
    }
    std::string error;
    Picture picture = Picture::load(plan.picture, error);
    if (picture.isNull()) {
        ShowError(error, owner);
        return;
    }
    PictureShow show(caption, std::move(picture), plan.sound, plan.delayMs, owner);
    show.run();
}

} // namespace winreader
