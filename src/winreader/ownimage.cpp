#include "winreader/ownimage.h"

#include "format/book/booklayout.h"

#include <vector>
#include <windows.h>

namespace winreader {

namespace {

std::wstring ownPath()
{
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length == 0)
            return {};
        if (length < path.size())
            return std::wstring(path.data(), length);
        path.resize(path.size() * 2);
    }
}

[[noreturn]] void unreadable()
{
    throw bookformat::CompiledBookError("the program file cannot be read");
}

} // namespace

void OwnImage::CloseHandle::operator()(void* handle) const
{
    ::CloseHandle(handle);
}

void OwnImage::Unmap::operator()(const void* view) const
{
    UnmapViewOfFile(view);
}

std::wstring OwnFolder()
{
    const std::wstring path = ownPath();
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

OwnImage::OwnImage()
{
    HANDLE file = CreateFileW(ownPath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        unreadable();
    m_file.reset(file);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size) || size.QuadPart == 0)
        unreadable();
    m_mapping.reset(CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (!m_mapping)
        unreadable();
    m_view.reset(MapViewOfFile(m_mapping.get(), FILE_MAP_READ, 0, 0, 0));
    if (!m_view)
        unreadable();
    m_bytes = std::string_view(static_cast<const char*>(m_view.get()),
                               static_cast<std::size_t>(size.QuadPart));
}

} // namespace winreader
