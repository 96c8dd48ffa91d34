// The media player: Play, Pause, Stop and Prev, the progress of the file, and the video below.
#include "winreader/media.h"
#include "winreader/messages.h"
#include "winreader/modal.h"
#include "winreader/readerscreen.h"
#include "winreader/shows.h"

#include <algorithm>
#include <commctrl.h>

namespace winreader {

namespace {

constexpr int kBevelTop = 48;
constexpr int kWidth = 338;
constexpr UINT_PTR kProgressTimer = 1;
enum ButtonId : int
{
    kPlay = 300,
    kPause,
    kStop,
    kPrev
};

HWND child(HWND parent, const wchar_t* type, const wchar_t* text, DWORD style, int id)
{
    HWND control = CreateWindowExW(0, type, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                                   HMENU(INT_PTR(id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    return control;
}

class MediaPlayer : public ReaderScreen
{
public:
    MediaPlayer(const std::string& prompt, HWND owner)
        : ReaderScreen(L"KestrinMediaPlayer", prompt, owner)
    {
        static const bool commonControls = [] {
            INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_PROGRESS_CLASS};
            return InitCommonControlsEx(&classes) != 0;
        }();
        (void)commonControls;
        int x = 8;
        const std::pair<int, const wchar_t*> buttons[] = {
            {kPlay, L"Play"}, {kPause, L"Pause"}, {kStop, L"Stop"}, {kPrev, L"Prev"}};
        for (const auto& [id, text] : buttons) {
            MoveWindow(child(handle(), L"BUTTON", text, WS_TABSTOP, id), x, 8, 56, 26, FALSE);
            x += 58;
        }
        m_gauge = child(handle(), PROGRESS_CLASSW, L"", PBS_SMOOTH, 0);
        MoveWindow(m_gauge, x + 4, 12, kWidth - x - 12, 18, FALSE);
        setBackground({1, bookformat::Colour(0x8000000F), {}, {}}, GetSysColor(COLOR_BTNFACE));
    }

    bool open(const std::string& file)
    {
        std::string error;
        m_device = MediaDevice::open(file, handle(), error);
        if (!m_device.isOpen()) {
            ShowError("The file " + file + " cannot be played: " + error, GetParent(handle()));
            return false;
        }
        SendMessageW(m_gauge, PBM_SETRANGE32, 0, std::max(1L, m_device.length()));
        const SIZE video = m_device.videoSize();
        m_client = SIZE{kWidth, kBevelTop}; // only the button row: a tune
        if (m_device.isVideo()) {
            m_bevel = RECT{8, kBevelTop, 8 + video.cx + 8, kBevelTop + video.cy + 8};
            m_device.placeVideo(RECT{12, kBevelTop + 4, 12 + video.cx, kBevelTop + 4 + video.cy});
            m_client = SIZE{std::max<LONG>(kWidth, m_bevel.right + 9), m_bevel.bottom + 8};
        }
        return true;
    }

protected:
    RECT placement() const override
    {
        const int left = (GetSystemMetrics(SM_CXSCREEN) - m_client.cx) / 2;
        const int top = (GetSystemMetrics(SM_CYSCREEN) - m_client.cy) / 2;
        return RECT{left, top, left + m_client.cx, top + m_client.cy};
    }
    void layOut() override
    {
        SetTimer(handle(), kProgressTimer, 1000, nullptr);
        SetFocus(GetDlgItem(handle(), kPlay));
        if (m_device.isVideo())
            m_device.showFirstFrame(); // before Play
    }
    void paintArea(HDC dc) const override
    {
        if (m_device.isVideo()) {
            RECT bevel = m_bevel;
            DrawEdge(dc, &bevel, EDGE_SUNKEN, BF_RECT);
        }
    }
    void command(int id, int) override
    {
        switch (id) {
        case kPlay:
            m_device.play();
            break;
        case kPause:
            m_device.pause();
            break;
        case kStop:
            m_device.stop();
            break;
        case kPrev:
            m_device.rewind();
            SendMessageW(m_gauge, PBM_SETPOS, 0, 0);
            break;
        case IDOK: // Enter presses the button that has the focus
            if (const int focused = GetDlgCtrlID(GetFocus()); focused != IDOK && focused != 0)
                command(focused, BN_CLICKED);
            break;
        case IDCANCEL:
            close();
            break;
        default:
            break;
        }
    }
    LRESULT other(UINT message, WPARAM w, LPARAM l) override
    {
        if (message == WM_TIMER && w == kProgressTimer) {
            SendMessageW(m_gauge, PBM_SETPOS, WPARAM(m_device.position()), 0);
            return 0;
        }
        return ReaderScreen::other(message, w, l);
    }

private:
    HWND m_gauge = nullptr;
    MediaDevice m_device;
    RECT m_bevel{};
    SIZE m_client{kWidth, kBevelTop};
};

} // namespace

void OpenMediaPlayer(const std::string& file, const std::string& prompt, HWND owner)
{
    MediaPlayer player(prompt, owner);
    if (player.open(file))
        player.run();
}

} // namespace winreader
