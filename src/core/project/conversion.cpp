// Earlier-version conversion of a project's files; the converted files carry the current version
// tag.
#include "core/project/conversion.h"

#include "core/files/filecopy.h"
#include "core/files/filenames.h"
#include "core/files/filestore.h"
#include "core/project/projectfiles.h"
#include "core/project/recordconversion.h"
#include "core/sections/oldentryfile.h"
#include "core/services/messages.h"

void ConvertProjectRecord(WorkingState& state)
{
    const auto old =
        filestore::recordAt<OldProjectRecord>(filestore::readAll(state.ProjectFile), 0);
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
    if (CopyFileBytes(state.ChapterListFile, oldCopy) != CopyDone)
        throw InOutError(InOutError::diskFull());
    ShowPlain(QStringLiteral("file copied"));

    const QByteArray oldList = filestore::readAll(oldCopy);
    ShowPlain(QStringLiteral("opening ") + state.ChapterListFile);
    if (oldList.size() % qsizetype(sizeof(OldChapterRecord)) != 0)
        throw DamagedChapterListError(state.ChapterListFile);
    QByteArray list;
    for (qsizetype i = 0; i < oldList.size() / qsizetype(sizeof(OldChapterRecord)); ++i) {
        state.CurrentChapter =
            ConvertChapterRecord(filestore::recordAt<OldChapterRecord>(oldList, i));
        list.append(filestore::bytesOf(state.CurrentChapter));
    }
    filestore::writeAll(state.ChapterListFile, list);
    filestore::remove(oldCopy);
}

void ConvertProject(WorkingState& state)
{
    ConvertProjectRecord(state);
    ConvertChapterList(state);
    ConvertOldEntryFile(state.HyperTextFile);
}
