// Display sections and colour strings.
#include "core/sections/displaysection.h"

#include "core/files/filenames.h"
#include "core/files/runtimeerror.h"
#include "core/files/textcodec.h"

#include <array>

namespace {

struct NamedColour
{
    const char* name;
    std::uint32_t value;
};

constexpr std::array<NamedColour, 42> kColourNames = {{
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clScrollBar", 0x80000000},
    {"clBackground", 0x80000001},
    {"clActiveCaption", 0x80000002},
    {"clInactiveCaption", 0x80000003},
    {"clMenu", 0x80000004},
    {"clWindow", 0x80000005},
    {"clWindowFrame", 0x80000006},
    {"clMenuText", 0x80000007},
    {"clWindowText", 0x80000008},
    {"clCaptionText", 0x80000009},
    {"clActiveBorder", 0x8000000A},
    {"clInactiveBorder", 0x8000000B},
    {"clAppWorkSpace", 0x8000000C},
    {"clHighlight", 0x8000000D},
    {"clHighlightText", 0x8000000E},
    {"clBtnFace", 0x8000000F},
    {"clBtnShadow", 0x80000010},
    {"clGrayText", 0x80000011},
    {"clBtnText", 0x80000012},
    {"clInactiveCaptionText", 0x80000013},
    {"clBtnHighlight", 0x80000014},
    {"cl3DDkShadow", 0x80000015},
    {"cl3DLight", 0x80000016},
    {"clInfoText", 0x80000017},
    {"clInfoBk", 0x80000018},
    {"clNone", 0x1FFFFFFF},
}};

QString valueOf(const QString& line)
{
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    return line.mid(equals + 1);
}

QString boolText(const char* key, bool value)
{
    return QString::fromLatin1(key) + (value ? QStringLiteral("true") : QStringLiteral("false"));
}

} // namespace

QString ColourToString(Colour colour)
{
    const auto value = static_cast<std::uint32_t>(colour);
    for (const NamedColour& named : kColourNames) {
        if (named.value == value)
            return QString::fromLatin1(named.name);
    }
    return QStringLiteral("$%1").arg(value, 8, 16, QLatin1Char('0')).toUpper();
}

Colour StringToColour(const QString& text)
{
    for (const NamedColour& named : kColourNames) {
        if (text.compare(QLatin1String(named.name), Qt::CaseInsensitive) == 0)
            return static_cast<Colour>(named.value);
    }
    return StrToInt(text);
}

QStringList DisplaySectionLines(const QString& name, const QString& source, int typeCode,
                                const DisplayRecord& display, const QStringList& textLines)
{
    QStringList lines = {
        QLatin1Char('[') + name + QLatin1Char(']'),
        QStringLiteral("source=") + source,
        QStringLiteral("type=") + QString::number(typeCode),
        QStringLiteral("displaytype=") + QString::number(display.BackType),
        boolText("fullscreen=", display.FullScreen == 1),
        QStringLiteral("Sbackcolor=") + ColourToString(display.BackColor),
        QStringLiteral("SGraphic=") + display.GraphicFile.text(),
        QStringLiteral("SWallpaper=") + display.WallpaperFile.text(),
        QStringLiteral("VPBack=") + ColourToString(display.TextColor),
        QStringLiteral("VPLeft=") + QString::number(display.WinLeft),
        QStringLiteral("VPTop=") + QString::number(display.WinTop),
        QStringLiteral("VPWidth=") + QString::number(display.WinWidth),
        QStringLiteral("VPHeight=") + QString::number(display.WinHeight),
        QStringLiteral("RLTop=") + QString::number(display.RLTop),
        QStringLiteral("RLLeft=") + QString::number(display.RLLeft),
        boolText("print=", display.PrintAllowed != 0),
        QStringLiteral("text="),
    };
    lines << textLines << QStringLiteral("]") << QString();
    return lines;
}

void ParseDisplayEntry(const QStringList& lines, DisplayRecord& display, QStringList& textLines)
{
    constexpr int kFirstTextLine = 17;
    if (lines.size() < kFirstTextLine) {
        throw RunTimeError(QStringLiteral("The HyperText entry %1 is damaged: it holds %2 lines "
                                          "where a display needs %3.")
                               .arg(lines.value(0))
                               .arg(lines.size())
                               .arg(kFirstTextLine));
    }
    display.BackType = StrToInt(valueOf(lines.at(3)));
    display.FullScreen = lines.at(4).contains(QLatin1String("true")) ? 1 : 0;
    display.BackColor = StringToColour(valueOf(lines.at(5)));
    display.GraphicFile.setText(valueOf(lines.at(6)));
    display.WallpaperFile.setText(valueOf(lines.at(7)));
    display.TextColor = StringToColour(valueOf(lines.at(8)));
    display.WinLeft = StrToInt(valueOf(lines.at(9)));
    display.WinTop = StrToInt(valueOf(lines.at(10)));
    display.WinWidth = StrToInt(valueOf(lines.at(11)));
    display.WinHeight = StrToInt(valueOf(lines.at(12)));
    display.PrintAllowed = lines.at(15).contains(QLatin1String("true")) ? 1 : 0;
    textLines << lines.mid(kFirstTextLine);
}

QByteArray RtfFromLines(const QStringList& lines)
{
    return textcodec::encode(lines.join(QLatin1String("\r\n")));
}
