// The message boxes on screen: standard icons and titles, application-modal, centred.
#pragma once

#include "core/services/messages.h"

class QtMessageBoxes : public MessageBoxes
{
public:
    MessageAnswer show(MessageKind kind, const QString& text) override;

    // Several texts break lines with the pair LF CR; on screen each pair is one line break.
    static QString displayText(const QString& text);
};
