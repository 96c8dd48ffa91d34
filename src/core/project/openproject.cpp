// Opening a project: a new one gets its files, an earlier version's is converted when the author
// agrees, and the default display file is made when missing.
#include "core/project/openproject.h"

#include "core/files/filenames.h"
#include "core/files/filestore.h"
#include "core/project/conversion.h"
#include "core/project/projectfiles.h"
#include "core/services/messages.h"

#include <QFileInfo>

namespace {

bool isEarlierVersion(const WorkingState& state)
{
    const QByteArray bytes = filestore::readAll(state.ProjectFile);
    // The size tells an earlier record from a current one: a current record whose version tag
    // is damaged is read as what it is, never "converted" into garbage.
    if (bytes.size() >= qsizetype(sizeof(ProjectRecord)))
        return false;
    return bytes.size() >= 2 && bytes.at(0) != 0 && bytes.at(1) == '1';
}

void forgetProject(WorkingState& state)
{
    state.ProjectFile.clear();
    state.HyperTextFile.clear();
    state.ChapterListFile.clear();
}

} // namespace

void OpenProject(WorkingState& state)
{
    state.ProjectFile = QFileInfo(state.ProjectFile).fileName();
    state.HyperTextFile = ChangeFileExt(state.ProjectFile, QStringLiteral(".QVR"));
    state.ChapterListFile = ChangeFileExt(state.ProjectFile, QStringLiteral(".QVC"));

    if (filestore::exists(state.ProjectFile)) {
        if (isEarlierVersion(state)) {
            if (!Confirm(state.ProjectFile +
                         QStringLiteral(" was created with an earlier version of Quorelle. "
                                        "Would you like to convert it to the new version?"))) {
                forgetProject(state);
                return;
            }
            ConvertProject(state);
        }
    } else {
        DefaultProject(state);
        WriteProject(state);
    }

    ReadProject(state);
    state.BookTitle = state.Project.Config.BookTitle.text();
    state.MediaPrompt = state.Project.Presentation.Captions.MediaPrompt.text();

    const QString defaultDisplay = BaseName(state.ProjectFile) + QStringLiteral(".QVD");
    if (!filestore::exists(defaultDisplay)) {
        state.CurrentDisplay = DefaultDisplay();
        WriteDisplayFile(state, defaultDisplay);
    }
}
