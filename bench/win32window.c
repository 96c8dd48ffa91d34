/* The yardstick of the Windows runtime's start: a plain Win32 window that imports the same system
   libraries as kestrin.exe, paints once, says so on its standard output and ends. */
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <gdiplus.h>
#include <mmsystem.h>
#include <objbase.h>
#include <shellapi.h>

static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM w, LPARAM l)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        FillRect(paint.hdc, &paint.rcPaint, (HBRUSH)GetStockObject(WHITE_BRUSH));
        EndPaint(window, &paint);
        DWORD written = 0;
        WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), "painted\n", 8, &written, NULL);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, w, l);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR line, int show)
{
    (void)previous;
    (void)show;
    /* Never true: the calls only keep each library among the imports, as the runtime has them. */
    if (line && line[0] == '\x01') {
        GdiplusStartup(NULL, NULL, NULL);
        InitCommonControls();
        GetOpenFileNameW(NULL);
        ShellExecuteW(NULL, NULL, NULL, NULL, NULL, 0);
        PlaySoundW(NULL, NULL, 0);
        CoInitialize(NULL);
    }
    WNDCLASSW windowClass = {0};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"PlainWindow";
    windowClass.hCursor = LoadCursorW(NULL, (LPCWSTR)IDC_ARROW);
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, L"PlainWindow", L"Plain", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 640, 480, NULL, NULL, instance,
                                  NULL);
    if (!window)
        return 1;
    MSG message;
    while (GetMessageW(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
