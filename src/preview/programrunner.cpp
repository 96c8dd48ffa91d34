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

std::optional<ProgramCommand> FindProgramCommand(HyperTextType mode, const QString& value,
                                                 const QString& projectDir)
{
    QStringList words = ProgramArguments(mode, value, projectDir);
    if (words.isEmpty())
        return std::nullopt;
    const QString program = findProgram(words.takeFirst(), projectDir);
    return ProgramCommand{program, words};
}

void RunProgramCommand(const ProgramCommand& command, const QString& projectDir)
{
    programs().runAndWait(command.program, command.arguments, projectDir);
}

void RunProgram(HyperTextType mode, const QString& value, const QString& projectDir)
{
    if (const auto command = FindProgramCommand(mode, value, projectDir))
        RunProgramCommand(*command, projectDir);
}

QString ProgramQuestion(const ProgramCommand& command)
{
    QStringList shown;
    for (const QString& argument : command.arguments)
        shown << (argument.contains(QLatin1Char(' ')) || argument.isEmpty()
                      ? QLatin1Char('"') + argument + QLatin1Char('"')
                      : argument);
    const QString what = shown.isEmpty()
                             ? command.program
                             : command.program + QStringLiteral(" with the arguments ") +
                                   shown.join(QLatin1Char(' '));
    return QStringLiteral("This e-book wants to start the program ") + what +
           QStringLiteral(".\n\r\n\rDo you allow it?");
}
