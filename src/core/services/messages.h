// The message boxes every part of the tool reports through. Model code may call them too: this
// header and its dispatcher need no widgets; the boxes themselves are installed by the tool.
#pragma once

#include "core/services/service.h"

#include <QString>

#include <functional>

enum class MessageKind
{
    Error,
    Info,
    Confirm,
    ConfirmDiscard, // a question whose Yes throws the author's work away: No is the default
    Plain,
    YesNoCancel,
    YesNoHelp
};
enum class MessageAnswer
{
    Ok,
    Yes,
    No,
    Cancel,
    Help
};

class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;
    // Shows one box of the given kind and returns the button pressed (Ok for one-button boxes).
    virtual MessageAnswer show(MessageKind kind, const QString& text) = 0;
};

// Without a display: every text goes to standard error and every question is answered No.
class StandardErrorMessages : public MessageBoxes
{
public:
    MessageAnswer show(MessageKind kind, const QString& text) override;
};

using MessageSlot = ServiceSlot<MessageBoxes, StandardErrorMessages>;

void ShowError(const QString& text);
void ShowInfo(const QString& text);
bool Confirm(const QString& text); // true only for Yes; closing the box counts as No
// The same for a question whose Yes discards or replaces the author's work: No is the default
// button, so Enter keeps the work.
bool ConfirmDiscard(const QString& text);
void ShowPlain(const QString& text);
MessageAnswer AskYesNoCancel(const QString& text);
MessageAnswer AskYesNoHelp(const QString& text);

// The start-up note for displays of fewer than 16 bits a pixel.
void LowColourWarning();

// Runs an action of a window and reports a run-time error in the standard error box, as the
// application's error report does; an exception must not cross the event loop.
void ReportErrors(const std::function<void()>& action);
