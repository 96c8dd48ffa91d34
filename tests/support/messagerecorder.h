// The message-box double, the one double model code needs: it keeps every text shown, answers
// questions from a script, and is strict (see strict.h).
#pragma once

#include "strict.h"

#include "core/services/messages.h"

class MessageRecorder : public MessageBoxes
{
public:
    struct Shown
    {
        MessageKind kind;
        QString text;
    };

    MessageAnswer show(MessageKind kind, const QString& text) override;

    // The answer to the next question (Confirm, Yes/No/Cancel, Yes/No/Help).
    void answer(MessageAnswer next) { m_answers.add(next); }
    // The texts and kinds shown so far; reading them is the test's acknowledgement.
    QStringList texts();
    const QList<Shown>& shown() { return m_shown.read(); }
    void clear() { m_shown.clear(); }

private:
    EventLog<Shown> m_shown{"messages"};
    AnswerScript<MessageAnswer> m_answers{"answer to a question"};
};

inline QString eventText(const MessageRecorder::Shown& shown)
{
    return eventText(shown.text);
}

// The doubles of the model code's services, installed for the lifetime of one test.
struct ModelDoubles
{
    MessageRecorder messages;
    ScopedService<MessageSlot, MessageBoxes> messagesGuard{messages};
};
