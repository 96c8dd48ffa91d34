// Command values.
#include "core/pictures/commandvalue.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

ShowCommandParts ParseShowCommand(const QString& value)
{
    ShowCommandParts parts;
    const QStringList elements = value.toUpper().split(QLatin1Char(','));
    for (qsizetype i = 0; i < elements.size() && i < 6; ++i) {
        const QString& element = elements.at(i);
        if (element.contains(QLatin1String(".BMP")) || element.contains(QLatin1String(".JPG")) ||
            element.contains(QLatin1String(".WMF")))
            parts.picture = element;
        if (element.contains(QLatin1String(".WAV")) || element.contains(QLatin1String(".MID")))
            parts.sound = element;
        if (element.contains(QLatin1String(".AVI")))
            parts.video = element;
        bool isNumber = false;
        const int tenths = element.toInt(&isNumber, 10);
        if (isNumber && !element.isEmpty() &&
            (element.front().isDigit() || element.front() == QLatin1Char('-')))
            parts.delayMs = tenths * 100;
    }
    return parts;
}

QStringList ProgramArguments(HyperTextType mode, const QString& value, const QString& projectDir)
{
    if (value.isEmpty())
        return {};
    if (mode == HyperTextType::ExecutableProgram) {
        const qsizetype comma = value.indexOf(QLatin1Char(','));
        if (comma < 0)
            return {value};
        return QStringList{value.left(comma)} + QProcess::splitCommand(value.mid(comma + 1));
    }
    const qsizetype space = value.indexOf(QLatin1Char(' '));
    if (space < 0)
        return {value};
    return {value.left(space), projectDir + value.mid(space + 1)};
}

bool IsWebAddress(const QString& value)
{
    static const QRegularExpression address(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+://|^mailto:"),
                                            QRegularExpression::CaseInsensitiveOption);
    return address.match(value).hasMatch();
}
