// The "Find File" procedure shared by the pickers and the design windows.
#include "ui/common/bringfile.h"

#include "core/files/filecopy.h"
#include "core/files/filenames.h"
#include "core/files/projectpath.h"
#include "core/services/messages.h"

#include <QDir>
#include <QFileInfo>

QString BringFileIntoProject(QWidget* parent, const FileChoice& choice, const QString& projectDir,
                             const QString& current)
{
    const QString picked = fileDialogs().openFile(parent, choice);
    if (picked.isEmpty())
        return current;
    const QString bare = QFileInfo(picked).fileName();
    if (HoldsDirectionControl(bare)) {
        // Shown, such a name may read as another: it is not repeated in the message.
        ShowError(QStringLiteral("The name of the chosen file holds characters that change the "
                                 "direction of text. Rename the file and choose it again."));
        return current;
    }
    const QString inProject = QDir(projectDir).filePath(bare);
    if (Confirm(QStringLiteral("Copy the file ") + bare +
                QStringLiteral(" to the Project directory?")) &&
        !QFileInfo::exists(ResolveProjectName(inProject))) {
        CopyFileInto(picked, projectDir);
    }
    const QString present = ResolveProjectName(inProject);
    return QFileInfo::exists(present) ? QFileInfo(present).fileName() : current;
}
