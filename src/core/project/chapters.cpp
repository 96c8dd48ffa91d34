// Chapter-list rules.
#include "core/project/chapters.h"

#include "core/files/filenames.h"
#include "core/files/filestore.h"
#include "core/project/projectfiles.h"
#include "core/project/reclist.h"

namespace {

QList<ChapterRecord> chapterRecords(const WorkingState& state)
{
    QList<ChapterRecord> chapters;
    TRecList records;
    if (!LoadChapterRecords(state, records))
        return chapters;
    for (qsizetype i = 0; i < records.Count(); ++i)
        chapters << records.at<ChapterRecord>(i);
    return chapters;
}

} // namespace

bool MenuEntryInUse(const WorkingState& state, const QString& entry, const QString& ownEntry)
{
    if (entry.compare(ownEntry, Qt::CaseInsensitive) == 0)
        return false;
    const QList<ChapterRecord> chapters = chapterRecords(state);
    return std::any_of(chapters.cbegin(), chapters.cend(), [&](const ChapterRecord& chapter) {
        return chapter.MenuEntry.text().compare(entry, Qt::CaseInsensitive) == 0;
    });
}

void RemoveChapterAt(WorkingState& state, qsizetype index)
{
    ReadChapter(state, index);
    state.CurrentChapter.Removed = 1;
    WriteChapter(state, index);
    CompactChapterList(state);
}

void MoveChapter(const WorkingState& state, qsizetype from, qsizetype before)
{
    const QList<ChapterRecord> chapters = chapterRecords(state);
    if (from == before || from < 0 || before < 0 || from >= chapters.size() ||
        before > chapters.size())
        return; // nothing is moved rather than a chapter lost
    QByteArray list;
    for (qsizetype i = 0; i < chapters.size(); ++i) {
        if (i == from)
            continue;
        if (i == before)
            list.append(filestore::bytesOf(chapters.at(from)));
        list.append(filestore::bytesOf(chapters.at(i)));
    }
    if (before == chapters.size())
        list.append(filestore::bytesOf(chapters.at(from)));
    // The work file is complete before it takes the chapter list's place.
    filestore::rewriteThroughScratch(
        state.ChapterListFile, BaseName(state.ChapterListFile) + QStringLiteral(".tmp"), list);
}
