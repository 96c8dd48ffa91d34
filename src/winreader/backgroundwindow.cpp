#include "winreader/backgroundwindow.h"

#include "winreader/messages.h"
#include "winreader/screenreport.h"
#include "winreader/wintext.h"

namespace winreader {

namespace {

constexpr wchar_t kClass[] = L"KestrinBackground";
constexpr COLORREF kSilver = 0xC0C0C0; // a screen's own colour

} // namespace

BackgroundWindow::BackgroundWindow(const bookformat::ConfigRecord& config)
{
    static const ATOM registered = [] {
        WNDCLASSW type{};
        type.lpfnWndProc = &BackgroundWindow::procedure;
        type.hInstance = GetModuleHandleW(nullptr);
        type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        type.lpszClassName = kClass;
        return RegisterClassW(&type);
    }();
    (void)registered;
    // The picture is read first, so that the first paint is the right one.
    const std::string error =
        m_backdrop.load({config.ProgBackType, config.ProgBackColor, config.ProgGraphicFile.utf8(),
                         config.ProgWallpaperFile.utf8()},
                        kSilver);
    // Scaled to the screen while the window is made.
    const SIZE screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    m_backdrop.prepare(screen);
    m_window =
        CreateWindowExW(0, kClass, Wide(config.BookTitle.utf8()).c_str(), WS_POPUP, 0, 0, screen.cx,
                        screen.cy, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    // Not activated: the book's first screen, shown next, takes the activation.
    ShowWindow(m_window, SW_SHOWNA);
    UpdateWindow(m_window);
    // The window only stands behind the book's screens: it takes no input of its own.
    EnableWindow(m_window, FALSE);
    if (!error.empty())
        ShowError(error, m_window);
}

BackgroundWindow::~BackgroundWindow()
{
    if (m_window)
        DestroyWindow(m_window);
}

LRESULT CALLBACK BackgroundWindow::procedure(HWND window, UINT message, WPARAM w, LPARAM l)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(l);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    const auto* self =
        reinterpret_cast<const BackgroundWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // painted whole in WM_PAINT
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT area;
        GetClientRect(window, &area);
        if (self)
            self->m_backdrop.paint(dc, area);
        EndPaint(window, &paint);
        ReportPainted(window);
        return 0;
    }
    default:
        return DefWindowProcW(window, message, w, l);
    }
}

} // namespace winreader
