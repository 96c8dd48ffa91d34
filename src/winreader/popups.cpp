#include "winreader/popups.h"

#include "winreader/modal.h"
#include "winreader/readerscreen.h"
#include "winreader/screencolour.h"
#include "winreader/textwindow.h"

namespace winreader {

namespace {

constexpr int kButtonPanelHeight = 36;
constexpr bookformat::Colour kButtonFace = bookformat::Colour(0x8000000F);

class TextPopup : public ReaderScreen
{
public:
    TextPopup(const bookformat::DisplayRecord& display, const std::string& rtf,
              const std::string& caption, HWND owner)
        : ReaderScreen(L"KestrinPopup", caption, owner), m_display(display),
          m_text(handle(), ScreenColour(display.TextColor)),
          m_ok(CreateWindowExW(0, L"BUTTON", L"&OK",
                               WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0, 80, 26,
                               handle(), HMENU(IDOK), GetModuleHandleW(nullptr), nullptr))
    {
        SendMessageW(m_ok, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
        setBackground({1, kButtonFace, {}, {}}, ScreenColour(kButtonFace));
        m_text.load(rtf);
    }

protected:
    RECT placement() const override
    {
        const POINT origin = DesignScreenOrigin();
        const int left = origin.x + m_display.WinLeft;
        const int top = origin.y + m_display.WinTop;
        return RECT{left, top, left + m_display.WinWidth + 3, top + m_display.WinHeight};
    }
    void layOut() override
    {
        RECT client;
        GetClientRect(handle(), &client);
        const int textBottom = client.bottom - kButtonPanelHeight;
        m_text.place(RECT{0, 0, client.right, textBottom});
        MoveWindow(m_ok, client.right / 2 - 40, textBottom + (kButtonPanelHeight - 26) / 2, 80, 26,
                   TRUE);
        SetFocus(m_ok);
    }
    void command(int id, int) override
    {
        if (id == IDOK || id == IDCANCEL)
            close();
    }

private:
    bookformat::DisplayRecord m_display;
    TextWindow m_text;
    HWND m_ok;
};

class TextScreen : public ReaderScreen
{
public:
    TextScreen(const bookformat::DisplayRecord& display, const std::string& rtf,
               const std::string& caption, HWND owner)
        : ReaderScreen(L"KestrinTextScreen", caption, owner), m_display(display),
          m_text(handle(), ScreenColour(display.TextColor))
    {
        setBackground(bookformat::BackgroundOf(display), ScreenColour(0xC0C0C0));
        m_text.load(rtf);
    }

protected:
    void layOut() override { m_text.place(TextPlace(m_display, area())); }
    void rightClickedOnArea() override { close(); }

private:
    bookformat::DisplayRecord m_display;
    TextWindow m_text;
};

} // namespace

void ShowTextPopup(const bookformat::DisplayRecord& display, const std::string& rtf,
                   const std::string& caption, HWND owner)
{
    TextPopup popup(display, rtf, caption, owner);
    popup.run();
}

void ShowTextScreen(const bookformat::DisplayRecord& display, const std::string& rtf,
                    const std::string& caption, HWND owner)
{
    TextScreen screen(display, rtf, caption, owner);
    screen.run();
}

} // namespace winreader
