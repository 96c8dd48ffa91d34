#include "format/text/linebreaks.h"

namespace bookformat {

std::string_view LineReader::next()
{
    const std::size_t start = m_pos;
    std::size_t end = start;
    while (end < m_bytes.size() && m_bytes[end] != '\n' && m_bytes[end] != '\r')
        ++end;
    m_pos = end;
    if (m_pos < m_bytes.size()) {
        if (m_bytes[m_pos] == '\r' && m_pos + 1 < m_bytes.size() && m_bytes[m_pos + 1] == '\n')
            ++m_pos;
        ++m_pos;
    }
    return m_bytes.substr(start, end - start);
}

} // namespace bookformat
