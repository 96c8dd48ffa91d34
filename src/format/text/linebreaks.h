// Lines of the book's text files: a line ends at CR LF, LF or CR, as a text-file reader takes
// them; lines are written back with CR LF.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace bookformat {

// Walks the lines of a block of bytes without copying them.
class LineReader
{
public:
    explicit LineReader(std::string_view bytes) : m_bytes(bytes) {}

    bool atEnd() const { return m_pos >= m_bytes.size(); }
    // The next line without its end; an empty view at the end, as a text reader gives there.
    std::string_view next();
    std::size_t position() const { return m_pos; }
    void seek(std::size_t position) { m_pos = position; }

private:
    std::string_view m_bytes;
    std::size_t m_pos = 0;
};

// Appends the line and CR LF.
inline void AppendLine(std::string& out, std::string_view line)
{
    out.append(line);
    out.append("\r\n");
}

} // namespace bookformat
