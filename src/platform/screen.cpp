// Screen facts from the primary QScreen.
#include "platform/screen.h"

#include <QGuiApplication>
#include <QScreen>

int QtScreenInfo::colorDepth() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->depth() : 24;
}

QSize QtScreenInfo::screenSize() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize(640, 480);
}
