// What the tool needs to know about the screen.
#pragma once

#include "core/services/service.h"

#include <QSize>

class ScreenInfo
{
public:
    virtual ~ScreenInfo() = default;
    virtual int colorDepth() const = 0; // bits per pixel times colour planes
    virtual QSize screenSize() const = 0;
};

class QtScreenInfo : public ScreenInfo
{
public:
    int colorDepth() const override;
    QSize screenSize() const override;
};

using ScreenSlot = ServiceSlot<ScreenInfo, QtScreenInfo>;

inline ScreenInfo& screenInfo()
{
    return ScreenSlot::get();
}
