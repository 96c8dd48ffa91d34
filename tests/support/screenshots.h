// Pictures of windows for looking at them: with QUORELLE_SCREENSHOTS naming a folder, a test
// saves the window there as NAME.png. Without it nothing is written.
#pragma once

#include <QDir>
#include <QWidget>

inline void KeepScreenshot(QWidget& window, const QString& name)
{
    const QString folder = qEnvironmentVariable("QUORELLE_SCREENSHOTS");
    if (!folder.isEmpty())
        window.grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}
