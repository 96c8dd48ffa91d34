#include "winreader/readerscreen.h"

#include "winreader/messages.h"
#include "winreader/modal.h"
#include "winreader/screencolour.h"
#include "winreader/screenreport.h"
#include "winreader/wintext.h"

#include <utility>
#include <windowsx.h>

namespace winreader {

ReaderScreen::ReaderScreen(const wchar_t* className, const std::string& caption, HWND owner,
                           bool resizable)
    : m_owner(owner)
{
    WNDCLASSW type{};
    if (!GetClassInfoW(GetModuleHandleW(nullptr), className, &type)) {
        type.lpfnWndProc = &ReaderScreen::procedure;
        type.hInstance = GetModuleHandleW(nullptr);
        type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        type.lpszClassName = className;
        RegisterClassW(&type);
    }
    m_window = CreateWindowExW(0, className, Wide(caption).c_str(),
                               WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN |
                                   (resizable ? WS_THICKFRAME | WS_MAXIMIZEBOX : 0),
                               0, 0, 0, 0, owner, nullptr, GetModuleHandleW(nullptr), this);
}

ReaderScreen::~ReaderScreen()
{
    if (m_window) {
        SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
        DestroyWindow(m_window);
    }
}

void ReaderScreen::setBar(Bar& bar, bool shown, const std::string& text,
                          const std::string& fontText, bookformat::Colour colour)
{
    const bookformat::StoredFont font = bookformat::BarFont(fontText);
    bar.shown = shown;
    bar.text = Wide(text);
    bar.height = 2 * font.size; // twice the point size, in pixels
    bar.colour = ScreenColour(colour);
    bar.textColour = ScreenColour(font.color);
    bar.font = Font(font);
}

void ReaderScreen::addMenuItem(int id, const std::string& caption)
{
    if (!m_menu)
        m_menu = CreateMenu();
    AppendMenuW(m_menu, MF_STRING, UINT_PTR(id), Wide(caption).c_str());
}

void ReaderScreen::addSubMenu(const std::string& caption,
                              std::initializer_list<std::pair<int, std::string>> items)
{
    if (!m_menu)
        m_menu = CreateMenu();
    HMENU menu = CreatePopupMenu();
    for (const auto& [id, text] : items) {
        if (id == 0)
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuW(menu, MF_STRING, UINT_PTR(id), Wide(text).c_str());
    }
    AppendMenuW(m_menu, MF_POPUP, UINT_PTR(menu), Wide(caption).c_str());
}

void ReaderScreen::setBackground(const bookformat::Background& background, COLORREF ownColour)
{
    m_backdropError = m_backdrop.load(background, ownColour);
}

RECT ReaderScreen::area() const
{
    RECT client;
    GetClientRect(m_window, &client);
    if (m_title.shown)
        client.top += m_title.height;
    if (m_status.shown)
        client.bottom -= m_status.height;
    return client;
}

RECT ReaderScreen::placement() const
{
    const POINT origin = DesignScreenOrigin();
    return RECT{origin.x, origin.y, origin.x + 640, origin.y + 480};
}

void ReaderScreen::run()
{
    if (m_menu)
        SetMenu(m_window, m_menu);
    // The menu bar lies inside the placement, above the client area.
    PlaceInside(m_window, placement());
    // The background picture is scaled while the screen is laid out and shown.
    const RECT screenArea = area();
    m_backdrop.prepare(
        SIZE{screenArea.right - screenArea.left, screenArea.bottom - screenArea.top});
    layOut();
    m_laidOut = true;
    if (!m_backdropError.empty())
        ShowError(m_backdropError, m_owner);
    RunModal(m_window, m_owner, m_closed);
    const HWND window = m_window;
    if (PutAway(window, m_owner))
        m_window = nullptr;
    ReportClosed(window);
}

void ReaderScreen::close()
{
    m_closed = true;
}

void ReaderScreen::command(int id, int)
{
    if (id == IDCANCEL)
        close();
}

LRESULT ReaderScreen::notify(const NMHDR&, LPARAM)
{
    return 0;
}

LRESULT ReaderScreen::other(UINT message, WPARAM w, LPARAM l)
{
    return DefWindowProcW(m_window, message, w, l);
}

LRESULT CALLBACK ReaderScreen::procedure(HWND window, UINT message, WPARAM w, LPARAM l)
{
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<ReaderScreen*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
        self->m_window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, LONG_PTR(self));
    }
    auto* self = reinterpret_cast<ReaderScreen*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->handleMessage(message, w, l) : DefWindowProcW(window, message, w, l);
}

LRESULT ReaderScreen::handleMessage(UINT message, WPARAM w, LPARAM l)
{
    switch (message) {
    case WM_COMMAND:
        command(LOWORD(w), HIWORD(w));
        return 0;
    case WM_NOTIFY:
        return notify(*reinterpret_cast<const NMHDR*>(l), l);
    case WM_CLOSE:
        command(IDCANCEL, 0); // the close box, as Escape
        return 0;
    case WM_RBUTTONDOWN: {
        const POINT at{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
        const RECT screenArea = area();
        if (PtInRect(&screenArea, at))
            rightClickedOnArea();
        return 0;
    }
    case WM_SIZE:
        if (m_laidOut)
            layOut();
        return 0;
    case WM_ERASEBKGND:
        return 1; // painted whole in WM_PAINT
    case WM_PAINT: {
        PAINTSTRUCT paintStruct;
        HDC dc = BeginPaint(m_window, &paintStruct);
        paint(dc);
        EndPaint(m_window, &paintStruct);
        ReportPainted(m_window);
        if (!std::exchange(m_painted, true))
            firstPainted();
        return 0;
    }
    default:
        return other(message, w, l);
    }
}

namespace {

void paintBar(HDC dc, const Bar& bar, RECT place)
{
    HBRUSH brush = CreateSolidBrush(bar.colour);
    FillRect(dc, &place, brush);
    DeleteObject(brush);
    DrawFontText(dc, bar.font, bar.textColour, bar.text, place,
                 DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

} // namespace

void ReaderScreen::paint(HDC dc) const
{
    RECT client;
    GetClientRect(m_window, &client);
    if (m_title.shown)
        paintBar(dc, m_title, RECT{0, 0, client.right, m_title.height});
    if (m_status.shown)
        paintBar(dc, m_status,
                 RECT{0, client.bottom - m_status.height, client.right, client.bottom});
    const RECT screenArea = area();
    m_backdrop.paint(dc, screenArea);
    paintArea(dc);
}

} // namespace winreader
