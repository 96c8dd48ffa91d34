// Finding the tool's support folder.
#include "core/files/programdir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

bool holdsRuntime(const QDir& dir)
{
    return QFileInfo(dir.filePath(QStringLiteral("kestrin.bin"))).isFile();
}

} // namespace

QString ProgramSupportDir(const QString& applicationDir, const QString& installedRelative)
{
    const QDir beside(applicationDir);
    QDir chosen = beside;
    const QDir installed(beside.filePath(installedRelative));
    if (!holdsRuntime(beside) && holdsRuntime(installed))
        chosen = installed;
    return QDir::cleanPath(chosen.absolutePath()) + QLatin1Char('/');
}

QString ProgramSupportDir()
{
    return ProgramSupportDir(QCoreApplication::applicationDirPath(),
                             QStringLiteral(QUORELLE_SUPPORT_RELATIVE));
}
