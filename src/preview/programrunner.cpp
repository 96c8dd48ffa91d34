// The program runner.
#include "preview/programrunner.h"

#include "core/files/projectpath.h"
#include "core/pictures/commandvalue.h"
#include "platform/programs.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString findProgram(const QString& program, const QString& projectDir)
{
    const QString inProject = ResolveProjectName(QDir(projectDir).filePath(program));
    if (QFileInfo(inProject).isFile())
        return QFileInfo(inProject).absoluteFilePath();
    const QString onPath = QStandardPaths::findExecutable(program);
    return onPath.isEmpty() ? program : onPath;
}

} // namespace

void RunProgram(HyperTextType mode, const QString& value, const QString& projectDir)
{
    QStringList words = ProgramArguments(mode, value, projectDir);
    if (words.isEmpty())
        return;
    const QString program = findProgram(words.takeFirst(), projectDir);
    programs().runAndWait(program, words, projectDir);
}
