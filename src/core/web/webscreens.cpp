#include "core/web/webscreens.h"

#include "core/epub/epubxhtml.h"

#include <QJsonValue>

#include <cstdint>

namespace {

// The colours of Windows' standard scheme, for the system colours a book may name.
QString systemColour(int index)
{
    switch (index) {
    case 5: // window
        return QStringLiteral("#ffffff");
    case 8:  // window text
    case 18: // button text
    case 23: // tooltip text
        return QStringLiteral("#000000");
    case 13: // highlight
        return QStringLiteral("#0078d7");
    case 14: // highlighted text
        return QStringLiteral("#ffffff");
    case 24: // tooltip background
        return QStringLiteral("#ffffe1");
    default: // button face and the rest
        return QStringLiteral("#f0f0f0");
    }
}

} // namespace

QString WebColour(bookformat::Colour colour)
{
    const auto value = static_cast<std::uint32_t>(colour);
    if (value == 0x1FFFFFFF) // no colour: the face of the system's windows
        return systemColour(15);
    if (value & 0x80000000)
        return systemColour(int(value & 0xFF));
    // Stored as $00BBGGRR.
    return QStringLiteral("#%1%2%3")
        .arg(value & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((value >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((value >> 16) & 0xFF, 2, 16, QLatin1Char('0'));
}

QJsonObject WebFont(const bookformat::StoredFont& font)
{
    using Style = bookformat::StoredFont::Style;
    // A point is 4/3 of a CSS pixel, as on a 96-dpi Windows screen.
    return {{QStringLiteral("family"), CssFontFamily(QString::fromStdString(font.name))},
            {QStringLiteral("size"), qRound(font.size * 4.0 / 3.0)},
            {QStringLiteral("bold"), (font.style & Style::Bold) != 0},
            {QStringLiteral("italic"), (font.style & Style::Italic) != 0},
            {QStringLiteral("underline"), (font.style & Style::Underline) != 0},
            {QStringLiteral("colour"), WebColour(font.color)}};
}

QJsonValue WebBar(bool shown, const QString& text, const QString& fontText,
                  bookformat::Colour colour)
{
    if (!shown)
        return QJsonValue::Null;
    const bookformat::StoredFont font = bookformat::BarFont(fontText.toStdString());
    return QJsonObject{{QStringLiteral("text"), text},
                       {QStringLiteral("font"), WebFont(font)},
                       {QStringLiteral("colour"), WebColour(colour)},
                       {QStringLiteral("height"), font.size * 2}};
}

QJsonObject WebRect(int left, int top, int width, int height)
{
    return {{QStringLiteral("left"), left},
            {QStringLiteral("top"), top},
            {QStringLiteral("width"), width},
            {QStringLiteral("height"), height}};
}
