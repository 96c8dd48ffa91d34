#include "winreader/modal.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace winreader {

namespace {

std::vector<HWND>& modelessDialogs()
{
    static std::vector<HWND> dialogs;
    return dialogs;
}
HWND acceleratedWindow = nullptr;
HWND keptWindow = nullptr; // a closed screen kept up until the next window is shown
HACCEL accelerators = nullptr;

bool within(HWND window, HWND target)
{
    return window && (target == window || IsChild(window, target));
}

// The open modeless dialog the message is for, or null.
HWND modelessDialogOf(const MSG& message)
{
    for (HWND dialog : modelessDialogs()) {
        if (within(dialog, message.hwnd))
            return dialog;
    }
    return nullptr;
}

bool isDialogKey(HWND window, MSG& message)
{
    // Escape closes the window it is typed in, whatever control has the focus: Wine's dialog
    // handling leaves it to the edit field of a modeless dialog.
    const bool escape = message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE;
    if (HWND dialog = modelessDialogOf(message)) {
        if (escape) {
            SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
            return true;
        }
        if (IsDialogMessageW(dialog, &message))
            return true;
    }
    if (accelerators && acceleratedWindow == window &&
        TranslateAcceleratorW(window, accelerators, &message))
        return true;
    if (escape && within(window, message.hwnd)) {
        SendMessageW(window, WM_COMMAND, IDCANCEL, 0);
        return true;
    }
    return IsDialogMessageW(window, &message) != 0;
}

} // namespace

POINT DesignScreenOrigin()
{
    return POINT{(GetSystemMetrics(SM_CXSCREEN) - 640) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - 480) / 2};
}

void PlaceInside(HWND window, const RECT& inside)
{
    RECT frame = inside;
    AdjustWindowRectEx(&frame, DWORD(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                       DWORD(GetWindowLongPtrW(window, GWL_EXSTYLE)));
    SetWindowPos(window, HWND_TOP, frame.left, frame.top, frame.right - frame.left,
                 frame.bottom - frame.top, SWP_NOACTIVATE);
}

void CentreOnScreen(HWND window, SIZE client)
{
    const int left = (GetSystemMetrics(SM_CXSCREEN) - client.cx) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - client.cy) / 2;
    PlaceInside(window, RECT{left, top, left + client.cx, top + client.cy});
}

void RunModal(HWND window, HWND owner, const bool& closed)
{
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    if (keptWindow)
        DestroyWindow(std::exchange(keptWindow, nullptr));
    const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
    if (ownerWasEnabled)
        EnableWindow(owner, FALSE);
    MSG message;
    while (!closed && GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!isDialogKey(window, message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    // The owner takes input again before this window goes, so that it becomes the active one.
    if (ownerWasEnabled)
        EnableWindow(owner, TRUE);
    if (owner)
        SetActiveWindow(owner);
}

bool PutAway(HWND window, HWND owner)
{
    if (!owner || GetWindow(owner, GW_OWNER)) {
        ShowWindow(window, SW_HIDE);
        return false;
    }
    // What the window showed stays drawn; its controls, whose objects are about to go, go now.
    EnableWindow(window, FALSE);
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    SetWindowLongPtrW(window, GWLP_WNDPROC, LONG_PTR(&DefWindowProcW));
    while (HWND control = GetWindow(window, GW_CHILD))
        DestroyWindow(control);
    if (keptWindow)
        DestroyWindow(keptWindow);
    keptWindow = window;
    return true;
}

void SetAccelerators(HWND window, HACCEL table)
{
    acceleratedWindow = window;
    accelerators = table;
}

void AddModelessDialog(HWND dialog)
{
    if (dialog)
        modelessDialogs().push_back(dialog);
}

void RemoveModelessDialog(HWND dialog)
{
    std::erase(modelessDialogs(), dialog);
}

} // namespace winreader
