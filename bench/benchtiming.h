// Timing a step of a benchmark on its own: after the disk has caught up with what came before.
#pragma once

#include <QElapsedTimer>

#include <unistd.h>

// Seconds `step` takes once everything written before it is on the disk; -1 when it fails.
template <class Step> double timed(Step step)
{
    sync();
    QElapsedTimer timer;
    timer.start();
    if (!step())
        return -1;
    return timer.nsecsElapsed() / 1e9;
}
