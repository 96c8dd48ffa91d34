// The executable builder.
#include "builder/executable.h"

#include "builder/compiledbook.h"
#include "platform/messages.h"
#include "preview/programrunner.h"
#include "shell/filenames.h"
#include "shell/filestore.h"
#include "shell/projectpath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

bool MakeExecutable(WorkingState& state)
{
    const QString runtime = state.ProgramDir + QStringLiteral("kestrin.bin");
    QFile runtimeFile(runtime);
    const QString executable = BaseName(state.ProjectFile) + QStringLiteral(".EXE");
    // The runtime and the book go out in one piece through a save file: an executable from an
    // earlier build is replaced only by a complete new one.
    QSaveFile out(ResolveProjectName(executable));
    if (!out.open(QIODevice::WriteOnly))
        throw filestore::errorFromErrno(executable);
    if (!runtimeFile.open(QIODevice::ReadOnly)) {
        out.cancelWriting();
        ShowError(QStringLiteral("The reader program %1 could not be read, so the Executable E-Book was not "
                                 "created.").arg(runtime));
        return false;
    }
    const QByteArray program = runtimeFile.readAll();
    if (out.write(program) != program.size())
        throw filestore::errorFromErrno(executable);
    if (!WriteCompiledBook(state, out)) {
        out.cancelWriting();
        ShowError(QStringLiteral("Unable to create the Executable E-Book."));
        return false;
    }
    if (!out.commit())
        throw filestore::errorFromErrno(executable);
    QFile::setPermissions(out.fileName(), QFile::permissions(out.fileName()) | QFileDevice::ExeOwner |
                                              QFileDevice::ExeGroup | QFileDevice::ExeOther);
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
