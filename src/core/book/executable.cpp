// The executable builder.
#include "core/book/executable.h"

#include "core/book/compiledbook.h"
#include "core/files/filenames.h"
#include "core/files/filestore.h"
#include "core/files/projectpath.h"
#include "core/services/messages.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

bool MakeExecutable(WorkingState& state)
{
    const QString runtime = state.ProgramDir + QStringLiteral("kestrin.bin");
    QFile runtimeFile(runtime);
    const QString executable = ExecutableName(state);
    // The runtime and the book go out in one piece through a save file: an executable from an
    // earlier build is replaced only by a complete new one.
    QSaveFile out(ResolveProjectName(executable));
    if (!out.open(QIODevice::WriteOnly))
        throw filestore::errorFromErrno(executable);
    if (!runtimeFile.open(QIODevice::ReadOnly)) {
        out.cancelWriting();
        ShowError(QStringLiteral(
                      "The reader program %1 could not be read, so the Executable E-Book was not "
                      "created.")
                      .arg(runtime));
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
    QFile::setPermissions(out.fileName(), QFile::permissions(out.fileName()) |
                                              QFileDevice::ExeOwner | QFileDevice::ExeGroup |
                                              QFileDevice::ExeOther);
    return true;
}

QString ExecutableName(const WorkingState& state)
{
    return QFileInfo(ResolveProjectName(BaseName(state.ProjectFile) + QStringLiteral(".EXE")))
        .fileName();
}
