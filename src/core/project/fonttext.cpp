// Conversions between stored font texts and fonts.
#include "core/project/fonttext.h"

#include "core/files/runtimeerror.h"
#include "format/records/fontstring.h"

namespace {

bookformat::StoredFont storedOf(const TextFont& font)
{
    return {font.size, font.color, font.style, font.name.toStdString()};
}

} // namespace

void ApplyFontText(const QString& text, TextFont& font)
{
    bookformat::StoredFont stored = storedOf(font);
    WithQtErrors([&] { bookformat::ApplyFontText(text.toStdString(), stored); });
    font = TextFont::fromStored(stored);
}

QString FontText(const TextFont& font)
{
    return QString::fromStdString(bookformat::FontText(storedOf(font)));
}

QFont TextFont::toQFont() const
{
    QFont font(name);
    font.setPointSize(size > 0 ? size : 8);
    font.setBold(style & Bold);
    font.setItalic(style & Italic);
    font.setUnderline(style & Underline);
    font.setStrikeOut(style & StrikeOut);
    return font;
}

TextFont TextFont::fromQFont(const QFont& font, Colour color)
{
    TextFont text;
    text.size = font.pointSize();
    text.color = color;
    text.style = static_cast<std::uint8_t>((font.bold() ? Bold : 0) | (font.italic() ? Italic : 0) |
                                           (font.underline() ? Underline : 0) |
                                           (font.strikeOut() ? StrikeOut : 0));
    text.name = font.family();
    return text;
}

TextFont TextFont::fromStored(const bookformat::StoredFont& stored)
{
    return TextFont{stored.size, stored.color, stored.style, QString::fromStdString(stored.name)};
}
