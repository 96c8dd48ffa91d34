// What the RTF reader takes from a file's font and colour tables: each font's name, code page and
// symbol font, and each colour, read entry by entry; neither holds more than kMaxTableEntries.
#pragma once

#include "format/text/symbolfonts.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QColor>
#include <QHash>
#include <QString>

#include <array>
#include <cstddef>
#include <vector>

namespace rtf {

inline constexpr std::size_t kMaxTableEntries = 4096;
// The code page of a symbol font: byte b shows as U+F000 + b.
inline constexpr int kSymbolCodePage = 42;

struct FontEntry
{
    QString name;
    int codePage = 0; // 0: the document's
    bookformat::SymbolFont symbol = bookformat::SymbolFont::None;
};

class FontTable
{
public:
    // The document's code page, the one the names of fonts without a code page of their own
    // (and of symbol fonts) are written in.
    void setDocumentCodePage(int codePage) { m_documentCodePage = codePage; }
    // A control word and a text byte of the table; ";" ends an entry.
    void word(QByteArrayView word, int param);
    void text(char c);
    // The entry's group has closed.
    void finishEntry();

    // Font `number`; nothing for one the table does not hold.
    const FontEntry* find(int number) const;
    qsizetype size() const { return m_fonts.size(); }

private:
    QHash<int, FontEntry> m_fonts;
    int m_documentCodePage = 1252;
    int m_number = 0;
    FontEntry m_entry;
    QByteArray m_name;
};

class ColourTable
{
public:
    // \red, \green, \blue of the entry being read, and a text byte; ";" ends an entry.
    void word(QByteArrayView word, int param);
    void text(char c);

    // Colour `index`; an invalid colour for the automatic colour (entry 0, or an entry without
    // components) and for one the table does not hold.
    QColor at(int index) const;

private:
    std::vector<QColor> m_colours;
    std::array<int, 3> m_rgb{0, 0, 0};
    bool m_set = false;
};

} // namespace rtf
