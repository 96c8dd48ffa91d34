// A stand-in for the reader's media actions, installed for its lifetime: it records the shows
// and programs a click asks for instead of playing them.
#pragma once

#include "preview/mediaactions.h"

#include <QStringList>

struct MediaRecorder : MediaActions
{
    QStringList calls;
    ScopedService<MediaSlot, MediaActions> installed{*this};

    void showCommand(QWidget*, const QString& caption, const QString& value) override
    {
        calls << QStringLiteral("show %1: %2").arg(caption, value);
    }
    void runProgram(QWidget*, HyperTextType mode, const QString& value) override
    {
        calls << QStringLiteral("run %1: %2").arg(static_cast<int>(mode)).arg(value);
    }
};
