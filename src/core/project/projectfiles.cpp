// Project file, chapter list and display file routines.
#include "core/project/projectfiles.h"

#include "core/files/filenames.h"
#include "core/files/filestore.h"
#include "core/project/reclist.h"
#include "core/project/recordconversion.h"
#include "core/services/messages.h"

namespace {

QByteArray readChapterList(const WorkingState& state)
{
    QByteArray bytes = filestore::readAll(state.ChapterListFile);
    if (bytes.size() % qsizetype(sizeof(ChapterRecord)) != 0)
        throw DamagedChapterListError(state.ChapterListFile);
    return bytes;
}

qsizetype chapterCount(const QByteArray& list)
{
    return list.size() / qsizetype(sizeof(ChapterRecord));
}

QString chapterListScratch(const WorkingState& state)
{
    return ChangeFileExt(state.ChapterListFile, QStringLiteral(".TMP"));
}

} // namespace

InOutError DamagedChapterListError(const QString& fileName)
{
    return InOutError(QStringLiteral("The chapter list %1 is damaged: its length is not a whole "
                                     "number of chapter records.")
                          .arg(fileName));
}

void DefaultProject(WorkingState& state)
{
    state.Project = DefaultProjectRecord(state.VersionTag);
    state.MediaPrompt = state.Project.Presentation.Captions.MediaPrompt.text();
}

void WriteProject(const WorkingState& state)
{
    filestore::writeAll(state.ProjectFile, filestore::bytesOf(state.Project));
}

void ReadProject(WorkingState& state)
{
    state.Project = filestore::recordAt<ProjectRecord>(filestore::readAll(state.ProjectFile), 0,
                                                       state.ProjectFile);
    state.MediaPrompt = state.Project.Presentation.Captions.MediaPrompt.text();
}

bool ChapterListExists(const WorkingState& state)
{
    return !state.ChapterListFile.isEmpty() && filestore::exists(state.ChapterListFile);
}

bool LoadMenuEntries(const WorkingState& state, QStringList& entries)
{
    if (!ChapterListExists(state))
        return false;
    const QByteArray list = readChapterList(state);
    for (qsizetype i = 0; i < chapterCount(list); ++i)
        entries
            << filestore::recordAt<ChapterRecord>(list, i, state.ChapterListFile).MenuEntry.text();
    return true;
}

bool LoadChapterRecords(const WorkingState& state, TRecList& records)
{
    if (!ChapterListExists(state))
        return false;
    const QByteArray list = readChapterList(state);
    for (qsizetype i = 0; i < chapterCount(list); ++i)
        records.Add(list.constData() + i * qsizetype(sizeof(ChapterRecord)), sizeof(ChapterRecord));
    return true;
}

void ReadChapter(WorkingState& state, qsizetype index)
{
    state.CurrentChapter =
        filestore::recordAt<ChapterRecord>(readChapterList(state), index, state.ChapterListFile);
}

void WriteChapter(const WorkingState& state, qsizetype index)
{
    QByteArray list = ChapterListExists(state) ? readChapterList(state) : QByteArray();
    const qsizetype count = chapterCount(list);
    if (index < -1 || index > count)
        throw InOutError::about(InOutError::readBeyondEnd(), state.ChapterListFile);
    const QByteArray record = filestore::bytesOf(state.CurrentChapter);
    if (index == -1 || index == count)
        list.append(record);
    else
        list.replace(index * record.size(), record.size(), record);
    filestore::writeAll(state.ChapterListFile, list);
}

void CompactChapterList(const WorkingState& state)
{
    const QByteArray list = readChapterList(state);
    if (chapterCount(list) == 1) {
        filestore::remove(state.ChapterListFile);
        return;
    }
    QByteArray kept;
    for (qsizetype i = 0; i < chapterCount(list); ++i) {
        if (filestore::recordAt<ChapterRecord>(list, i, state.ChapterListFile).Removed == 0)
            kept.append(list.mid(i * qsizetype(sizeof(ChapterRecord)), sizeof(ChapterRecord)));
    }
    // The complete new list is on disk before it takes the old one's place.
    const QString scratch = chapterListScratch(state);
    filestore::rewriteThroughScratch(state.ChapterListFile, scratch, kept);
}

DisplayRecord DisplayFileRecord(const QString& fileName)
{
    const QByteArray bytes = filestore::readAll(fileName);
    if (bytes.size() == kOldDisplayFileSize)
        return ConvertDisplayRecord(filestore::recordAt<OldDisplayRecord>(bytes, 0, fileName));
    return filestore::recordAt<DisplayRecord>(bytes, 0, fileName);
}

void ReadDisplayFile(WorkingState& state, const QString& fileName)
{
    const bool earlierForm = filestore::readAll(fileName).size() == kOldDisplayFileSize;
    state.CurrentDisplay = DisplayFileRecord(fileName);
    if (earlierForm)
        WriteDisplayFile(state, fileName);
}

void WriteDisplayFile(const WorkingState& state, const QString& fileName)
{
    filestore::writeAll(fileName, filestore::bytesOf(state.CurrentDisplay));
}

bool SaveProjectChange(WorkingState& state, const std::function<void(ProjectRecord&)>& change)
{
    const ProjectRecord before = state.Project;
    change(state.Project);
    bool written = false;
    ReportErrors([&] {
        WriteProject(state);
        written = true;
    });
    if (!written)
        state.Project = before;
    return written;
}

std::optional<QString> DisplayFileNameFor(const QString& answer)
{
    const QString name = BaseName(answer.left(80)).left(25);
    if (name.isEmpty() || !ValidFileName(name))
        return std::nullopt;
    return name + QStringLiteral(".QVD");
}
