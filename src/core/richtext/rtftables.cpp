#include "core/richtext/rtftables.h"

#include "core/richtext/codepages.h"

#include <algorithm>

namespace rtf {

void FontTable::word(QByteArrayView word, int param)
{
    if (word == "f") {
        finishEntry();
        m_number = param;
        m_entry = FontEntry{};
    } else if (word == "fcharset") {
        m_entry.codePage = param == 2 ? kSymbolCodePage : CodePageOfCharset(param);
    } else if (word == "cpg") {
        m_entry.codePage = param;
    }
}

void FontTable::text(char c)
{
    m_name.append(c);
    if (c == ';')
        finishEntry();
}

void FontTable::finishEntry()
{
    if (m_name.isEmpty())
        return;
    QByteArray name = m_name.trimmed();
    if (name.endsWith(';'))
        name.chop(1);
    // A symbol font's own name is in letters, not in its symbols.
    const bool letters = m_entry.codePage <= 0 || m_entry.codePage == kSymbolCodePage;
    m_entry.name = DecodeCodePage(letters ? m_documentCodePage : m_entry.codePage, name).trimmed();
    m_entry.symbol = bookformat::SymbolFontOf(m_entry.name.toStdString());
    if (m_entry.symbol != bookformat::SymbolFont::None)
        m_entry.codePage = kSymbolCodePage;
    if (std::size_t(m_fonts.size()) < kMaxTableEntries || m_fonts.contains(m_number))
        m_fonts.insert(m_number, m_entry);
    m_name.clear();
    m_entry = FontEntry{};
}

const FontEntry* FontTable::find(int number) const
{
    const auto it = m_fonts.constFind(number);
    return it == m_fonts.constEnd() ? nullptr : &*it;
}

void ColourTable::word(QByteArrayView word, int param)
{
    if (word == "red" || word == "green" || word == "blue") {
        m_rgb[word == "red" ? 0 : word == "green" ? 1 : 2] = std::clamp(param, 0, 255);
        m_set = true;
    }
}

void ColourTable::text(char c)
{
    if (c != ';' || m_colours.size() >= kMaxTableEntries)
        return;
    m_colours.push_back(m_set ? QColor(m_rgb[0], m_rgb[1], m_rgb[2]) : QColor());
    m_rgb = {0, 0, 0};
    m_set = false;
}

QColor ColourTable::at(int index) const
{
    return index > 0 && index < int(m_colours.size()) ? m_colours[std::size_t(index)] : QColor();
}

} // namespace rtf
