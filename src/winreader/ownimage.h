// The runtime's own file, mapped rather than read: a large book costs only the pages it shows.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace winreader {

// The folder of the runtime's own file, where a distribution puts the book's media.
std::wstring OwnFolder();

class OwnImage
{
public:
    // Raises bookformat::CompiledBookError ("the program file cannot be read") when the file
    // cannot be opened or mapped.
    OwnImage();

    std::string_view bytes() const { return m_bytes; }

private:
    struct CloseHandle
    {
        void operator()(void* handle) const;
    };
    struct Unmap
    {
        void operator()(const void* view) const;
    };

    std::unique_ptr<void, CloseHandle> m_file;
    std::unique_ptr<void, CloseHandle> m_mapping;
    std::unique_ptr<const void, Unmap> m_view;
    std::string_view m_bytes;
};

} // namespace winreader
