// Earlier-version conversion of a project's files; the converted files carry the current version
// tag.
#include "core/project/conversion.h"

#include "core/files/filecopy.h"
#include "core/files/filenames.h"
#include "core/files/filestore.h"
#include "core/project/oldentryfile.h"
#include "core/project/projectfiles.h"
#include "core/project/recordconversion.h"
#include "core/services/messages.h"

namespace {

// A damaged old chapter list is found before anything is converted, so the project stays as it
// was and is offered conversion again once the list is mended.
void checkOldChapterList(const WorkingState& state)
{
    if (!ChapterListExists(state))
        return;
    if (filestore::readAll(state.ChapterListFile).size() % qsizetype(sizeof(OldChapterRecord)) != 0)
        throw DamagedChapterListError(state.ChapterListFile);
}

} // namespace

void ConvertProjectRecord(WorkingState& state)
{
    const auto old = filestore::recordAt<OldProjectRecord>(filestore::readAll(state.ProjectFile), 0,
                                                           state.ProjectFile);
    ProjectRecord& project = state.Project;
    project = ProjectRecord{};
    project.Version.setText(state.VersionTag);
    ConvertProjectFields(old, project);
    WriteProject(state);
}

void ConvertChapterList(WorkingState& state)
{
    if (!ChapterListExists(state))
        return;
    const QString oldCopy = ChangeFileExt(state.ChapterListFile, QStringLiteral(".OLD"));
    CopyFileInto(state.ChapterListFile, oldCopy); // raises the copy's own error
    ShowPlain(QStringLiteral("file copied"));

    const QByteArray oldList = filestore::readAll(oldCopy);
    ShowPlain(QStringLiteral("opening ") + state.ChapterListFile);
    if (oldList.size() % qsizetype(sizeof(OldChapterRecord)) != 0)
        throw DamagedChapterListError(state.ChapterListFile);
    QByteArray list;
    for (qsizetype i = 0; i < oldList.size() / qsizetype(sizeof(OldChapterRecord)); ++i) {
        state.CurrentChapter = ConvertChapterRecord(
            filestore::recordAt<OldChapterRecord>(oldList, i, state.ChapterListFile));
        list.append(filestore::bytesOf(state.CurrentChapter));
    }
    filestore::writeAll(state.ChapterListFile, list);
    filestore::remove(oldCopy);
}

void ConvertProject(WorkingState& state)
{
    checkOldChapterList(state);
    ConvertProjectRecord(state);
    ConvertChapterList(state);
    ConvertOldEntryFile(state.HyperTextFile);
}
