#include "core/pictures/commandvalue.h"

#include "core/files/textcodec.h"
#include "format/sections/commandsyntax.h"

ShowCommandParts ParseShowCommand(const QString& value)
{
    const bookformat::ShowCommandParts parts = bookformat::ParseShowCommand(value.toStdString());
    return {QString::fromStdString(parts.picture), QString::fromStdString(parts.sound),
            QString::fromStdString(parts.video), parts.delayMs};
}

QStringList ProgramArguments(HyperTextType mode, const QString& value, const QString& projectDir)
{
    return textcodec::fromUtf8Lines(
        bookformat::ProgramArguments(mode, value.toStdString(), projectDir.toStdString()));
}

bool IsWebAddress(const QString& value)
{
    return bookformat::IsWebAddress(value.toStdString());
}
