#include "winreader/media.h"

#include "winreader/wintext.h"

#include <cwchar>
#include <cwctype>
#include <mmsystem.h>

namespace winreader {

namespace {

std::wstring mciError(MCIERROR code)
{
    wchar_t text[256] = {};
    if (!mciGetErrorStringW(code, text, 256))
        return L"the system cannot play it";
    return text;
}

bool endsWithNoCase(const std::wstring& text, const std::wstring& end)
{
    if (text.size() < end.size())
        return false;
    for (std::size_t i = 0; i < end.size(); ++i) {
        if (std::towupper(text[text.size() - end.size() + i]) != std::towupper(end[i]))
            return false;
    }
    return true;
}

} // namespace

MediaDevice MediaDevice::open(const std::string& file, HWND parent, std::string& error)
{
    static int opened = 0;
    MediaDevice device;
    const std::wstring name = Wide(file);
    const std::wstring alias = L"kestrin" + std::to_wstring(++opened);
    const bool video = endsWithNoCase(name, L".AVI");
    std::wstring command =
        L"open \"" + name + L"\" type " + (video ? L"avivideo" : L"sequencer") + L" alias " + alias;
    if (video)
        command += L" style child parent " + std::to_wstring(reinterpret_cast<INT_PTR>(parent));
    const MCIERROR code = mciSendStringW(command.c_str(), nullptr, 0, nullptr);
    if (code != 0) {
        error = Utf8(mciError(code));
        return device;
    }
    device.m_alias = alias;
    device.m_video = video;
    device.send(L"set " + alias + L" time format milliseconds");
    return device;
}

MediaDevice::~MediaDevice()
{
    if (isOpen())
        send(L"close " + m_alias);
}

MediaDevice::MediaDevice(MediaDevice&& other) noexcept
    : m_alias(std::move(other.m_alias)), m_video(other.m_video)
{
    other.m_alias.clear();
}

MediaDevice& MediaDevice::operator=(MediaDevice&& other) noexcept
{
    std::swap(m_alias, other.m_alias);
    std::swap(m_video, other.m_video);
    return *this;
}

std::wstring MediaDevice::send(const std::wstring& command) const
{
    wchar_t answer[128] = {};
    if (mciSendStringW(command.c_str(), answer, 128, nullptr) != 0)
        return {};
    return answer;
}

void MediaDevice::play()
{
    send(L"play " + m_alias);
}

void MediaDevice::pause()
{
    send(L"pause " + m_alias);
}

void MediaDevice::stop()
{
    send(L"stop " + m_alias);
}

void MediaDevice::rewind()
{
    send(L"stop " + m_alias);
    send(L"seek " + m_alias + L" to start");
}

void MediaDevice::showFirstFrame()
{
    // A step of one frame moves the position without drawing under Wine: the first millisecond
    // played draws the frame on both.
    send(L"play " + m_alias + L" from 0 to 1 wait");
}

long MediaDevice::length() const
{
    return std::wcstol(send(L"status " + m_alias + L" length").c_str(), nullptr, 10);
}

long MediaDevice::position() const
{
    return std::wcstol(send(L"status " + m_alias + L" position").c_str(), nullptr, 10);
}

SIZE MediaDevice::videoSize() const
{
    if (!m_video)
        return SIZE{0, 0};
    // "left top width height"
    const std::wstring where = send(L"where " + m_alias + L" source");
    long numbers[4] = {};
    const wchar_t* at = where.c_str();
    for (long& number : numbers) {
        wchar_t* end = nullptr;
        number = std::wcstol(at, &end, 10);
        at = end;
    }
    return SIZE{numbers[2], numbers[3]};
}

void MediaDevice::placeVideo(const RECT& area)
{
    send(L"put " + m_alias + L" window at " + std::to_wstring(area.left) + L" " +
         std::to_wstring(area.top) + L" " + std::to_wstring(area.right - area.left) + L" " +
         std::to_wstring(area.bottom - area.top));
}

bool HasWaveDevice()
{
    return waveOutGetNumDevs() > 0;
}

bool PlayWaveFile(const std::string& file)
{
    return PlaySoundW(Wide(file).c_str(), nullptr, SND_FILENAME | SND_SYNC | SND_NODEFAULT) != 0;
}

} // namespace winreader
