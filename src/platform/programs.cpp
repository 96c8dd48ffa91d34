// Programs through QProcess; the wait runs an event loop without the user's input.
#include "platform/programs.h"

#include <QEventLoop>
#include <QProcess>

bool QtPrograms::runAndWait(const QString& program, const QStringList& arguments,
                            const QString& workingDir)
{
    QProcess process;
    process.setWorkingDirectory(workingDir);
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(program, arguments);
    if (!process.waitForStarted(10000))
        return false;
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    if (process.state() != QProcess::NotRunning)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    return true;
}
