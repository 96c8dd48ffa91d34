// The executable builder.
#include "core/book/executable.h"

#include "core/book/compiledbook.h"
#include "core/files/filenames.h"
#include "core/files/filestore.h"
#include "core/files/projectpath.h"
#include "core/files/savefile.h"
#include "core/services/messages.h"

#include <QFile>
#include <QFileInfo>

bool MakeExecutable(WorkingState& state)
{
    const QString runtime = state.ProgramDir + QStringLiteral("kestrin.bin");
    QFile runtimeFile(runtime);
    const QString executable = ExecutableName(state);
    // The runtime and the book go out in one piece through a save file: an executable from an
    // earlier build is replaced only by a complete new one.
    if (!runtimeFile.open(QIODevice::ReadOnly)) {
        ShowError(QStringLiteral(
                      "The reader program %1 could not be read, so the Executable E-Book was not "
                      "created.")
                      .arg(runtime));
        return false;
    }
    filestore::SaveFile out(ResolveProjectName(executable));
    out.open();
    out.write(runtimeFile.readAll());
    if (!WriteCompiledBook(state, out)) {
        ShowError(QStringLiteral("Unable to create the Executable E-Book."));
        return false;
    }
    // The book is a program: it keeps the run permission of the runtime it starts with.
    out.setPermissions(runtimeFile.permissions() | QFileDevice::ReadOwner |
                       QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ExeGroup |
                       QFileDevice::ExeOther);
    out.commit();
    return true;
}

QString ExecutableName(const WorkingState& state)
{
    return QFileInfo(ResolveProjectName(BaseName(state.ProjectFile) + QStringLiteral(".EXE")))
        .fileName();
}
