// Conversions between stored font texts and fonts.
#include "core/project/fonttext.h"

#include "core/files/filenames.h"

void ApplyFontText(const QString& text, TextFont& font)
{
    QString rest = text;
    QString word;
    SplitFirstWord(rest, word);
    font.size = StrToInt(word);
    SplitFirstWord(rest, word);
    font.color = StrToInt(word);
    SplitFirstWord(rest, word);
    font.style = static_cast<std::uint8_t>(StrToInt(word) & 0x0F);
    font.name = rest;
}

QString FontText(const TextFont& font)
{
    return QStringLiteral("%1 %2 %3 %4")
        .arg(font.size)
        .arg(font.color)
        .arg(font.style)
        .arg(font.name);
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
