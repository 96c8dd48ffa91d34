#include "winreader/files.h"

#include "format/reader/bookfiles.h"
#include "winreader/wintext.h"

#include <cwctype>
#include <windows.h>

namespace winreader {

namespace {

// The real path of a file or folder, every link and junction on the way followed; empty when it
// cannot be opened.
std::wstring finalPath(const std::wstring& name)
{
    HANDLE file =
        CreateFileW(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    std::wstring path(32768, L'\0');
    const DWORD length =
        GetFinalPathNameByHandleW(file, path.data(), DWORD(path.size()), FILE_NAME_NORMALIZED);
    CloseHandle(file);
    path.resize(length < path.size() ? length : 0);
    return path;
}

bool sameFolder(std::wstring a, std::wstring b)
{
    for (std::wstring* path : {&a, &b})
        for (wchar_t& c : *path)
            c = wchar_t(std::towupper(wint_t(c)));
    return a == b;
}

} // namespace

bool IsBookFileOnDisk(std::string_view name)
{
    if (!bookformat::IsBareFileName(name))
        return false;
    const std::wstring file = finalPath(Wide(name));
    if (file.empty())
        return true; // opening it fails later, and says so
    const std::wstring folder = finalPath(L".");
    const std::size_t slash = file.find_last_of(L'\\');
    return !folder.empty() && slash != std::wstring::npos &&
           sameFolder(file.substr(0, slash), folder);
}

bool ReadWholeFile(const std::wstring& name, std::int64_t limit, std::string& bytes)
{
    HANDLE file = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size{};
    DWORD got = 0;
    const bool fits =
        GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &size) && size.QuadPart <= limit;
    if (fits)
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
    const bool read =
        fits &&
        (bytes.empty() ||
         (ReadFile(file, bytes.data(), DWORD(bytes.size()), &got, nullptr) && got == bytes.size()));
    CloseHandle(file);
    return read;
}

WriteOutcome WriteWholeFile(const std::wstring& name, const std::string& bytes)
{
    // Checked before the rename, which would replace a read-only file with a writable one.
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        return WriteOutcome::ReadOnly;
    const std::wstring temporary = name + L".kestrin~";
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return WriteOutcome::Failed;
    DWORD written = 0;
    const bool complete =
        (bytes.empty() || (WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) &&
                           written == bytes.size())) &&
        FlushFileBuffers(file);
    CloseHandle(file);
    if (!complete || !MoveFileExW(temporary.c_str(), name.c_str(),
                                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temporary.c_str());
        return WriteOutcome::Failed;
    }
    return WriteOutcome::Written;
}

} // namespace winreader
