// The executable builder.
#include "build/executable.h"

#include "build/compiledbook.h"
#include "platform/messages.h"
#include "preview/programrunner.h"
#include "shell/filenames.h"
#include "shell/filestore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

bool MakeExecutable(WorkingState& state)
{
    const QString base = BaseName(state.ProjectFile);
    if (!CompileBook(state)) {
        ShowError(QStringLiteral("Unable to create the Executable E-Book."));
        return false;
    }
    const QString compiled = base + QStringLiteral(".CMP");
    const QString runtime = state.ProgramDir + QStringLiteral("kestrin.bin");
    QFile runtimeFile(runtime);
    if (!runtimeFile.open(QIODevice::ReadOnly)) {
        ShowError(QStringLiteral("The reader program %1 could not be read, so the Executable E-Book was not "
                                 "created.").arg(runtime));
        filestore::remove(compiled);
        return false;
    }
    // Runtime and book are joined in memory and written in one piece with the run permission.
    const QString executable = base + QStringLiteral(".EXE");
    filestore::writeAll(executable, runtimeFile.readAll() + filestore::readAll(compiled));
    QFile::setPermissions(executable, QFile::permissions(executable) | QFileDevice::ExeOwner | QFileDevice::ExeGroup |
                                          QFileDevice::ExeOther);
    filestore::remove(compiled);
    return true;
}

void BuildAndOfferTest(WorkingState& state, QWidget* parent)
{
    Q_UNUSED(parent);
    if (!MakeExecutable(state))
        return;
    const QString executable = BaseName(state.ProjectFile) + QStringLiteral(".EXE");
    if (Confirm(QStringLiteral("The Executable E-Book ") + executable + QStringLiteral(" has been created.") +
                QStringLiteral("\n\r\n\rDo you want to test it now?")))
        RunProgram(4, executable, QDir::currentPath() + QLatin1Char('/'));
}
