#include "format/rtf/rtflistmarks.h"

#include "format/rtf/rtftokens.h"
#include "format/text/symbolfonts.h"

#include <map>
#include <vector>

namespace bookformat {

namespace {

using Kind = RtfToken::Kind;

// What a group is to the pass.
enum class Role
{
    Plain,
    Skipped, // {\*\pn ...}: left out whole
    Mark,    // {\pntext ...} or {\listtext ...}: its symbol characters become Unicode
    FontTable,
};

struct Group
{
    Role role = Role::Plain;
    SymbolFont font = SymbolFont::None; // of a mark, once it names one
};

// "\u8226?", or a surrogate pair, as a signed 16-bit number each, the way RTF writes them.
std::string unicodeWords(char32_t c)
{
    const auto word = [](int unit) {
        return "\\u" + std::to_string(unit > 0x7FFF ? unit - 0x10000 : unit) + '?';
    };
    if (c < 0x10000)
        return word(int(c));
    const char32_t v = c - 0x10000;
    return word(int(0xD800 + (v >> 10))) + word(int(0xDC00 + (v & 0x3FF)));
}

class Pass
{
public:
    explicit Pass(std::string_view rtf) : m_rtf(rtf) { m_out.reserve(rtf.size()); }

    std::string run()
    {
        RtfTokenizer tokens(m_rtf);
        RtfToken token;
        while (tokens.next(token))
            take(token);
        return std::move(m_out);
    }

private:
    void take(const RtfToken& token)
    {
        if (!m_groups.empty() && m_groups.back().role == Role::Skipped) {
            nest(token);
            return;
        }
        switch (token.kind) {
        case Kind::GroupStart:
            // A font's own group inside the table is read as the table.
            m_groups.push_back({!m_groups.empty() && m_groups.back().role == Role::FontTable
                                    ? Role::FontTable
                                    : Role::Plain});
            m_openedAt = m_out.size();
            m_fresh = true;
            copy(token);
            return;
        case Kind::GroupEnd:
            if (!m_groups.empty())
                m_groups.pop_back();
            m_fresh = false;
            copy(token);
            return;
        default:
            break;
        }
        const bool first = m_fresh;
        m_fresh = m_fresh && token.kind == Kind::Symbol && token.symbol == '*';
        if (first || m_fresh) {
            if (opening(token))
                return;
        }
        Group* group = m_groups.empty() ? nullptr : &m_groups.back();
        if (group && group->role == Role::FontTable)
            readFont(token);
        if (group && group->role == Role::Mark && mark(*group, token))
            return;
        copy(token);
    }

    // The first words of a group, which say what it is; true when the word is not copied.
    bool opening(const RtfToken& token)
    {
        if (token.kind != Kind::Word)
            return false;
        Group& group = m_groups.back();
        m_fresh = false;
        const bool ignorable = m_out.compare(m_openedAt, std::string::npos, "{\\*") == 0;
        if (token.word == "pn" && ignorable) {
            group.role = Role::Skipped;
            m_out.resize(m_openedAt);
            m_depth = 1;
            return true;
        }
        if (ignorable) { // a font's \*\panose or \*\falt is no part of its name
            group.role = Role::Plain;
            return false;
        }
        if (token.word == "pntext") {
            group.role = Role::Mark;
            return true; // the group is plain text now
        }
        if (token.word == "listtext")
            group.role = Role::Mark;
        else if (token.word == "fonttbl")
            group.role = Role::FontTable;
        return false;
    }

    // Inside a left-out group: only its end matters.
    void nest(const RtfToken& token)
    {
        if (token.kind == Kind::GroupStart)
            ++m_depth;
        else if (token.kind == Kind::GroupEnd && --m_depth == 0)
            m_groups.pop_back();
    }

    // The font table's entries, "{\f2\fnil\fcharset2 Symbol;}", by number.
    void readFont(const RtfToken& token)
    {
        if (token.kind == Kind::Word && token.word == "f" && token.hasParam) {
            m_fontNumber = token.param;
            m_fontName.clear();
        } else if (token.kind == Kind::Text) {
            for (const char c : token.data) {
                if (c == ';')
                    m_fonts[m_fontNumber] = SymbolFontOf(m_fontName);
                else if (c != '\r' && c != '\n')
                    m_fontName += c;
            }
        }
    }

    // A mark's font switch and characters; true when the token is replaced.
    bool mark(Group& group, const RtfToken& token)
    {
        if (token.kind == Kind::Word && token.word == "f" && token.hasParam) {
            const auto font = m_fonts.find(token.param);
            group.font = font == m_fonts.end() ? SymbolFont::None : font->second;
            return group.font != SymbolFont::None; // the paragraph's own font draws it
        }
        if (token.kind == Kind::Word && token.word == "plain") {
            group.font = SymbolFont::None;
            return false;
        }
        if (group.font == SymbolFont::None)
            return false;
        if (token.kind == Kind::Character) {
            symbol(group.font, token.character);
            return true;
        }
        if (token.kind == Kind::Text) {
            for (const char c : token.data) {
                if (c == '\r' || c == '\n')
                    continue;
                symbol(group.font, static_cast<unsigned char>(c));
            }
            return true;
        }
        return false;
    }

    void symbol(SymbolFont font, unsigned char byte)
    {
        const char32_t c = SymbolCharacter(font, byte);
        m_out += c ? unicodeWords(c) : std::string(1, char(byte));
    }

    void copy(const RtfToken& token)
    {
        m_out.append(m_rtf.substr(token.begin, token.end - token.begin));
    }

    std::string_view m_rtf;
    std::string m_out;
    std::vector<Group> m_groups;
    std::size_t m_openedAt = 0; // where the latest group's brace went in the output
    bool m_fresh = false;       // no word of the latest group seen yet (but \*)
    int m_depth = 0;            // of the group being left out
    std::map<std::int64_t, SymbolFont> m_fonts;
    std::int64_t m_fontNumber = 0;
    std::string m_fontName;
};

} // namespace

bool HasRtfListMarks(std::string_view rtf)
{
    return rtf.find("\\pn") != std::string_view::npos ||
           rtf.find("\\listtext") != std::string_view::npos;
}

std::string ListMarksAsText(std::string_view rtf)
{
    return Pass(rtf).run();
}

} // namespace bookformat
