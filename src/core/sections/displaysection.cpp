// The Qt side of display sections: QString and Qt records over the format's rules.
#include "core/sections/displaysection.h"

#include "core/files/runtimeerror.h"
#include "core/files/textcodec.h"
#include "format/sections/displaylines.h"

QString ColourToString(Colour colour)
{
    return QString::fromStdString(bookformat::ColourToString(colour));
}

Colour StringToColour(const QString& text)
{
    return WithQtErrors([&] { return bookformat::StringToColour(text.toStdString()); });
}

QStringList DisplaySectionLines(const QString& name, const QString& source, int typeCode,
                                const DisplayRecord& display, const QStringList& textLines)
{
    return textcodec::fromUtf8Lines(bookformat::DisplaySectionLines(
        name.toStdString(), source.toStdString(), typeCode,
        RecordAs<bookformat::DisplayRecord>(display), textcodec::toUtf8Lines(textLines)));
}

void ParseDisplayEntry(const QStringList& lines, DisplayRecord& display, QStringList& textLines)
{
    auto parsed = RecordAs<bookformat::DisplayRecord>(display);
    std::vector<std::string> text;
    WithQtErrors(
        [&] { bookformat::ParseDisplayEntry(textcodec::toUtf8Lines(lines), parsed, text); });
    display = RecordAs<DisplayRecord>(parsed);
    textLines << textcodec::fromUtf8Lines(text);
}

QByteArray RtfFromLines(const QStringList& lines)
{
    return QByteArray::fromStdString(bookformat::RtfFromLines(textcodec::toUtf8Lines(lines)));
}
