#include "winreader/console.h"

#include "winreader/wintext.h"

#include <windows.h>

namespace winreader {

namespace {

// A program of the Windows subsystem gets standard handles only when its starter passes them (a
// redirection, a pipe); from a console window it attaches to that console.
HANDLE standardHandle(DWORD which)
{
    HANDLE handle = GetStdHandle(which);
    if (handle && handle != INVALID_HANDLE_VALUE)
        return handle;
    AttachConsole(ATTACH_PARENT_PROCESS);
    return GetStdHandle(which);
}

void write(DWORD which, std::string_view utf8)
{
    HANDLE handle = standardHandle(which);
    if (!handle || handle == INVALID_HANDLE_VALUE)
        return;
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(handle, &mode)) {
        const std::wstring wide = Wide(utf8);
        WriteConsoleW(handle, wide.data(), DWORD(wide.size()), &written, nullptr);
    } else {
        WriteFile(handle, utf8.data(), DWORD(utf8.size()), &written, nullptr);
    }
}

} // namespace

void WriteOutput(std::string_view utf8)
{
    write(STD_OUTPUT_HANDLE, utf8);
}

void WriteError(std::string_view utf8)
{
    write(STD_ERROR_HANDLE, utf8);
}

} // namespace winreader
