// Conversions between stored font texts and fonts.
#include "core/project/fonttext.h"

#include "core/files/runtimeerror.h"
#include "format/fonttext.h"

namespace {

bookformat::FontSpec specOf(const TextFont& font)
{
    return {font.size, font.color, font.style, font.name.toStdString()};
}

} // namespace

void ApplyFontText(const QString& text, TextFont& font)
{
    bookformat::FontSpec spec = specOf(font);
    WithQtErrors([&] { bookformat::ApplyFontText(text.toStdString(), spec); });
    font = TextFont::fromSpec(spec);
}

QString FontText(const TextFont& font)
{
    return QString::fromStdString(bookformat::FontText(specOf(font)));
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

TextFont TextFont::fromSpec(const bookformat::FontSpec& spec)
{
    return TextFont{spec.size, spec.color, spec.style, QString::fromStdString(spec.name)};
}
