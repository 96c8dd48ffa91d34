#include "winreader/backgroundwindow.h"

#include "winreader/messages.h"
#include "winreader/screencolour.h"
#include "winreader/screenreport.h"
#include "winreader/wintext.h"

namespace winreader {

namespace {

constexpr wchar_t kClass[] = L"KestrinBackground";
constexpr COLORREF kSilver = 0xC0C0C0; // a screen's own colour

} // namespace

BackgroundWindow::BackgroundWindow(const bookformat::ConfigRecord& config)
    : m_plan(bookformat::PlanBackground({config.ProgBackType, config.ProgBackColor,
                                         config.ProgGraphicFile.utf8(),
                                         config.ProgWallpaperFile.utf8()})),
      m_colour(m_plan.look == bookformat::BackgroundLook::Own ||
                       m_plan.look == bookformat::BackgroundLook::Refused
                   ? kSilver
                   : ScreenColour(config.ProgBackColor))
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
    const std::string error = readPicture();
    m_window = CreateWindowExW(0, kClass, Wide(config.BookTitle.utf8()).c_str(), WS_POPUP, 0, 0,
                               GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                               nullptr, nullptr, GetModuleHandleW(nullptr), this);
    ShowWindow(m_window, SW_SHOW);
    UpdateWindow(m_window);
    // The window only stands behind the book's screens: it takes no input of its own.
    EnableWindow(m_window, FALSE);
    if (!error.empty())
        ShowError(error, m_window);
}

std::string BackgroundWindow::readPicture()
{
    using bookformat::BackgroundLook;
    if (m_plan.look != BackgroundLook::Picture && m_plan.look != BackgroundLook::Tiles)
        return m_plan.message;
    if (!m_plan.message.empty())
        return m_plan.message;
    if (m_plan.file.empty() ||
        GetFileAttributesW(Wide(m_plan.file).c_str()) == INVALID_FILE_ATTRIBUTES)
        return bookformat::MissingPictureMessage(m_plan);
    std::string error;
    m_picture = Picture::load(m_plan.file, error);
    return error;
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
            self->paint(dc, area);
        EndPaint(window, &paint);
        ReportPainted(window);
        return 0;
    }
    default:
        return DefWindowProcW(window, message, w, l);
    }
}

void BackgroundWindow::paint(HDC dc, const RECT& area) const
{
    if (!m_picture.isNull() && m_plan.look == bookformat::BackgroundLook::Picture) {
        m_picture.drawStretched(dc, area);
        return;
    }
    if (!m_picture.isNull() && m_plan.look == bookformat::BackgroundLook::Tiles) {
        m_picture.drawTiled(dc, area);
        return;
    }
    HBRUSH brush = CreateSolidBrush(m_colour);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
}

} // namespace winreader
