// Fonts of bars and boxes as the book stores them: "size colour style name",
// for example "16 0 1 Times New Roman" (style: 1 bold, 2 italic, 4 underline, 8 strike-out).
#pragma once

#include "core/project/records.h"
#include "format/records/fontstring.h"

#include <QFont>
#include <QString>

#include <cstdint>

// A StoredFont with a QString name.
struct TextFont
{
    using Style = bookformat::StoredFont::Style;
    using enum bookformat::StoredFont::Style;

    int size = 8;
    Colour color = 0;
    std::uint8_t style = 0;
    QString name = QStringLiteral("MS Sans Serif");

    QFont toQFont() const;
    static TextFont fromQFont(const QFont& font, Colour color);
    static TextFont fromStored(const bookformat::StoredFont& stored);
};

// Raises ConvertError when size, colour or style is not a number.
void ApplyFontText(const QString& text, TextFont& font);
QString FontText(const TextFont& font);
