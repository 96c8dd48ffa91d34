// Message dispatch to the installed message boxes.
#include "core/services/messages.h"

#include "core/files/runtimeerror.h"

#include <cstdio>

MessageAnswer StandardErrorMessages::show(MessageKind kind, const QString& text)
{
    const char* prefix = kind == MessageKind::Error ? "error: " : "";
    std::fprintf(stderr, "%s%s\n", prefix, qUtf8Printable(text));
    switch (kind) {
    case MessageKind::Confirm:
    case MessageKind::ConfirmDiscard:
    case MessageKind::YesNoCancel:
    case MessageKind::YesNoHelp:
        return MessageAnswer::No;
    default:
        return MessageAnswer::Ok;
    }
}

void ShowError(const QString& text)
{
    MessageSlot::get().show(MessageKind::Error, text);
}

void ShowInfo(const QString& text)
{
    MessageSlot::get().show(MessageKind::Info, text);
}

bool Confirm(const QString& text)
{
    return MessageSlot::get().show(MessageKind::Confirm, text) == MessageAnswer::Yes;
}

bool ConfirmDiscard(const QString& text)
{
    return MessageSlot::get().show(MessageKind::ConfirmDiscard, text) == MessageAnswer::Yes;
}

void ShowPlain(const QString& text)
{
    MessageSlot::get().show(MessageKind::Plain, text);
}

MessageAnswer AskYesNoCancel(const QString& text)
{
    return MessageSlot::get().show(MessageKind::YesNoCancel, text);
}

MessageAnswer AskYesNoHelp(const QString& text)
{
    return MessageSlot::get().show(MessageKind::YesNoHelp, text);
}

void LowColourWarning()
{
    ShowInfo(QStringLiteral(
        "Your video Display mode is set at 256 colors.\n\r\n\rThe graphics in this program need "
        "High Color\n\ror True Color. At the Start Menu select Settings\n\rthen Control Panel "
        "then Display - Settings to\n\rchange the video Display mode"));
}

void ReportErrors(const std::function<void()>& action)
{
    try {
        action();
    } catch (const RunTimeError& error) {
        ShowError(error.message());
    }
}
