// The message-box double.
#include "messagerecorder.h"

MessageAnswer MessageRecorder::show(MessageKind kind, const QString& text)
{
    m_shown.add({kind, text});
    switch (kind) {
    case MessageKind::Confirm:
    case MessageKind::ConfirmDiscard:
    case MessageKind::YesNoCancel:
    case MessageKind::YesNoHelp:
        return m_answers.next(text, MessageAnswer::No);
    default:
        return MessageAnswer::Ok;
    }
}

QStringList MessageRecorder::texts()
{
    QStringList all;
    for (const Shown& shown : m_shown.read())
        all << shown.text;
    return all;
}
