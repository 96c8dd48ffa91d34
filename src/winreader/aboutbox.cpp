#include "winreader/aboutbox.h"

#include "format/reader/aboutbox.h"
#include "winreader/messages.h"
#include "winreader/modal.h"
#include "winreader/picture.h"
#include "winreader/screenreport.h"
#include "winreader/wintext.h"

namespace winreader {

namespace {

constexpr wchar_t kClass[] = L"KestrinAbout";
constexpr int kPanelWidth = 300;
constexpr int kIconSide = 33;

struct AboutState
{
    Picture icon;
    RECT panel{};
    bool closed = false;
};

HWND label(HWND parent, const std::string& text, int x, int y, int width, int height)
{
    HWND control = CreateWindowExW(0, L"STATIC", Wide(text).c_str(),
                                   WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, x, y, width,
                                   height, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    return control;
}

// The height the comments take, wrapped to the panel's width.
int commentHeight(HWND window, const std::string& text)
{
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    RECT area{0, 0, kPanelWidth - 16, 10000};
    const std::wstring wide = Wide(text);
    DrawTextW(dc, wide.c_str(), int(wide.size()), &area, DT_CALCRECT | DT_WORDBREAK);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return area.bottom - area.top;
}

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM w, LPARAM l)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          LONG_PTR(reinterpret_cast<const CREATESTRUCTW*>(l)->lpCreateParams));
    auto* state = reinterpret_cast<AboutState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_COMMAND:
    case WM_CLOSE:
        if (state && (message == WM_CLOSE || LOWORD(w) == IDOK || LOWORD(w) == IDCANCEL))
            state->closed = true;
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        if (state) {
            DrawEdge(dc, &state->panel, EDGE_RAISED, BF_RECT);
            if (!state->icon.isNull()) {
                const RECT icon{state->panel.left + 8, state->panel.top + 8,
                                state->panel.left + 8 + kIconSide,
                                state->panel.top + 8 + kIconSide};
                state->icon.drawStretched(dc, icon);
            }
        }
        EndPaint(window, &paint);
        ReportPainted(window);
        return 0;
    }
    default:
        return DefWindowProcW(window, message, w, l);
    }
}

// The labels and the button, placed as the Linux runtime's box places them; the client size.
SIZE layOut(HWND window, AboutState& state, const bookformat::AboutRecord& about, bool icon)
{
    const int left = icon ? 52 : 8;
    const int width = kPanelWidth - left - 8;
    const int x = 8;
    const int y = 8;
    label(window, about.ProgramName.utf8(), x + left, y + 8, width, 16);
    label(window, about.VersionText.utf8(), x + left, y + 28, width, 16);
    label(window, about.AuthorText.utf8(), x + left, y + 48, width, 16);
    const std::string comments = bookformat::AboutComments(about);
    const int height = commentHeight(window, comments) + 4;
    label(window, comments, x + 8, y + 72, kPanelWidth - 16, height);
    state.panel = RECT{x, y, x + kPanelWidth, y + 72 + height + 10};
    HWND ok =
        CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                        x + (kPanelWidth - 75) / 2, state.panel.bottom + 8, 75, 25, window,
                        HMENU(IDOK), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(ok, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    SetFocus(ok);
    return SIZE{kPanelWidth + 16, state.panel.bottom + 8 + 25 + 8};
}

} // namespace

void ShowAboutBox(const bookformat::AboutRecord& about, HWND owner)
{
    const std::string iconFile = about.IconFile.utf8();
    const bool icon = about.UseIcon != 0;
    if (icon && GetFileAttributesW(Wide(iconFile).c_str()) == INVALID_FILE_ATTRIBUTES) {
        ShowError(bookformat::MissingIconMessage(iconFile), owner);
        return;
    }
    static const ATOM registered = [] {
        WNDCLASSW type{};
        type.lpfnWndProc = procedure;
        type.hInstance = GetModuleHandleW(nullptr);
        type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        type.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        type.lpszClassName = kClass;
        return RegisterClassW(&type);
    }();
    (void)registered;
    AboutState state;
    std::string error;
    if (icon)
        state.icon = Picture::load(iconFile, error);
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    HWND window =
        CreateWindowExW(WS_EX_DLGMODALFRAME, kClass, Wide(about.AboutCaption.utf8()).c_str(), style,
                        0, 0, 0, 0, owner, nullptr, GetModuleHandleW(nullptr), &state);
    CentreOnScreen(window, layOut(window, state, about, icon));
    RunModal(window, owner, state.closed);
    const bool kept = PutAway(window, owner);
    ReportClosed(window);
    if (!kept)
        DestroyWindow(window);
}

} // namespace winreader
