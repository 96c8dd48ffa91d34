// The pieces of a reader screen as the web edition's page reads them (JSON): colours, fonts,
// title and status bars, places on the design screen. The page draws them as given.
#pragma once

#include "format/records/fontstring.h"
#include "format/records/recordlayout.h"

#include <QJsonObject>
#include <QString>

// A stored colour as CSS "#rrggbb"; system colours as Windows draws them by default.
QString WebColour(bookformat::Colour colour);

// A bar's or box's font: CSS family list, pixel size, weight, slant, underline and colour.
QJsonObject WebFont(const bookformat::StoredFont& font);

// A title or status bar (text, font, colour, twice the font's size high); null when not shown.
QJsonValue WebBar(bool shown, const QString& text, const QString& fontText,
                  bookformat::Colour colour);

// A rectangle of the design screen, in its pixels.
QJsonObject WebRect(int left, int top, int width, int height);

// Where a text window lies on its screen's area: null when it fills the area.
template <class Display> QJsonValue WebTextPlace(const Display& display)
{
    if (display.FullScreen)
        return QJsonValue::Null;
    return WebRect(display.WinLeft, display.WinTop, display.WinWidth, display.WinHeight);
}

// The title and status bars of a bars record, into `screen`.
template <class Bars> void AddWebBars(QJsonObject& screen, const Bars& bars)
{
    screen.insert(QStringLiteral("title"), WebBar(bars.TitleShown != 0, bars.TitleText.text(),
                                                  bars.TitleFont.text(), bars.TitleColor));
    screen.insert(QStringLiteral("status"), WebBar(bars.StatusShown != 0, bars.StatusText.text(),
                                                   bars.StatusFont.text(), bars.StatusColor));
}
