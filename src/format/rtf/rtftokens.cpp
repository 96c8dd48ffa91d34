#include "format/rtf/rtftokens.h"

#include <algorithm>

namespace bookformat {

bool RtfTokenizer::next(RtfToken& token)
{
    if (m_at >= m_rtf.size())
        return false;
    token = RtfToken{};
    token.begin = m_at;
    const char c = m_rtf[m_at];
    if (c == '{' || c == '}') {
        token.kind = c == '{' ? RtfToken::Kind::GroupStart : RtfToken::Kind::GroupEnd;
        ++m_at;
    } else if (c != '\\') {
        token.kind = RtfToken::Kind::Text;
        const std::size_t stop = m_rtf.find_first_of("{}\\", m_at);
        m_at = stop == std::string_view::npos ? m_rtf.size() : stop;
        token.data = m_rtf.substr(token.begin, m_at - token.begin);
    } else if (m_at + 1 < m_rtf.size() && IsRtfLetter(m_rtf[m_at + 1])) {
        readWord(token);
    } else if (m_at + 1 < m_rtf.size() && m_rtf[m_at + 1] == '\'') {
        token.kind = RtfToken::Kind::Character;
        const int high = m_at + 2 < m_rtf.size() ? RtfHexDigit(m_rtf[m_at + 2]) : -1;
        const int low = m_at + 3 < m_rtf.size() ? RtfHexDigit(m_rtf[m_at + 3]) : -1;
        token.character = static_cast<unsigned char>(std::max(high, 0) * 16 + std::max(low, 0));
        m_at = std::min(m_at + 4, m_rtf.size());
    } else {
        token.kind = RtfToken::Kind::Symbol;
        token.symbol = m_at + 1 < m_rtf.size() ? m_rtf[m_at + 1] : '\0';
        m_at = std::min(m_at + 2, m_rtf.size());
    }
    token.end = m_at;
    return true;
}

void RtfTokenizer::readWord(RtfToken& token)
{
    token.kind = RtfToken::Kind::Word;
    std::size_t at = m_at + 1;
    while (at < m_rtf.size() && IsRtfLetter(m_rtf[at]) && at - m_at <= 32)
        ++at;
    token.word = m_rtf.substr(m_at + 1, at - m_at - 1);
    const bool negative = at + 1 < m_rtf.size() && m_rtf[at] == '-' && IsRtfDigit(m_rtf[at + 1]);
    at += negative ? 1 : 0;
    for (int digits = 0; at < m_rtf.size() && IsRtfDigit(m_rtf[at]); ++digits, ++at) {
        token.hasParam = true;
        if (digits < 10)
            token.param = token.param * 10 + (m_rtf[at] - '0');
    }
    token.param = negative ? -token.param : token.param;
    if (at < m_rtf.size() && m_rtf[at] == ' ')
        ++at;
    if (token.word == "bin" && token.hasParam && token.param > 0) {
        token.kind = RtfToken::Kind::Binary;
        const std::size_t count =
            std::min<std::size_t>(std::size_t(token.param), m_rtf.size() - at);
        token.data = m_rtf.substr(at, count);
        at += count;
    }
    m_at = at;
}

} // namespace bookformat
