// The program runner.
#include "preview/programrunner.h"

#include "core/files/projectpath.h"
#include "core/files/textcodec.h"
#include "core/pictures/commandvalue.h"
#include "core/services/messages.h"
#include "format/reader/linkaction.h"
#include "platform/programs.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// A program of the system's path: the exact name first, then one whose name differs only in
// letter case (books store program names as the author typed them, often in capitals).
QString findOnPath(const QString& program)
{
    if (program.contains(QLatin1Char('/')))
        return {};
    const QString exact = QStandardPaths::findExecutable(program);
    if (!exact.isEmpty())
        return exact;
    const QStringList folders =
        qEnvironmentVariable("PATH").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString& folder : folders) {
        const QFileInfoList entries =
            QDir(folder).entryInfoList(QDir::Files | QDir::Executable | QDir::NoDotAndDotDot);
        for (const QFileInfo& entry : entries) {
            if (entry.fileName().compare(program, Qt::CaseInsensitive) == 0)
                return entry.absoluteFilePath();
        }
    }
    return {};
}

// The book's folder first, then the path; the name as given when neither has it.
QString findProgram(const QString& program, const QString& projectDir)
{
    const QString inProject = ResolveProjectName(QDir(projectDir).filePath(program));
    if (QFileInfo(inProject).isFile())
        return QFileInfo(inProject).absoluteFilePath();
    const QString onPath = findOnPath(program);
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
    // The document of a Windows program is a file of the book, named in any letter case.
    if (mode == HyperTextType::WindowsProgram && !words.isEmpty())
        words.first() = ResolveProjectName(words.first());
    return ProgramCommand{program, words};
}

bool RunProgramCommand(const ProgramCommand& command, const QString& projectDir)
{
    if (programs().runAndWait(command.program, command.arguments, projectDir))
        return true;
    ShowError(QStringLiteral("The program %1 could not be started.").arg(command.program));
    return false;
}

void RunProgram(HyperTextType mode, const QString& value, const QString& projectDir)
{
    if (const auto command = FindProgramCommand(mode, value, projectDir))
        RunProgramCommand(*command, projectDir);
}

QString ProgramQuestion(const ProgramCommand& command)
{
    return QString::fromStdString(bookformat::ProgramQuestion(
        command.program.toStdString(), textcodec::toUtf8Lines(command.arguments)));
}
