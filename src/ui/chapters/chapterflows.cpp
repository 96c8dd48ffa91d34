// The chapter flows.
#include "ui/chapters/chapterflows.h"

#include "core/project/chapters.h"
#include "core/project/projectfiles.h"
#include "core/services/messages.h"
#include "platform/modal.h"
#include "ui/chapters/chapaddform.h"
#include "ui/chapters/chaplistform.h"
#include "ui/chapters/hypreorgfm.h"
#include "ui/common/buttlistform.h"

void AddChapters(WorkingState& state, QWidget* parent)
{
    // After a chapter list that could not be written, another chapter would fail the same way.
    do {
        state.CurrentChapter = ChapterRecord{};
        if (!EditChapter(state, -1, parent))
            return;
    } while (Confirm(QStringLiteral("Do you want to add another Chapter?")));
}

bool EditChapter(WorkingState& state, qsizetype index, QWidget* parent)
{
    TChapAddForm form(state, index, parent);
    RunModal(form);
    return !form.writeFailed();
}

void ListChapters(WorkingState& state, QWidget* parent)
{
    TChapListForm form(state, parent);
    RunModal(form);
}

void RemoveChapter(WorkingState& state, QWidget* parent)
{
    QStringList entries;
    LoadMenuEntries(state, entries);
    const int index =
        ChooseEntry(entries, 0, 150, QStringLiteral("Select a Chapter to Remove"), parent);
    if (index < 0)
        return;
    ReadChapter(state, index);
    const QString question = QStringLiteral("\tChapter \"") +
                             state.CurrentChapter.MenuEntry.text() +
                             QStringLiteral("\" will be removed.\n\r\n\r\tContinue?");
    if (ConfirmDiscard(question))
        RemoveChapterAt(state, index);
}

void ReorderChapters(WorkingState& state, QWidget* parent)
{
    QStringList entries;
    LoadMenuEntries(state, entries);
    if (entries.size() < 2) {
        ShowError(QStringLiteral("The E-Book only has one Chapter"));
        return;
    }
    THypReorgFm form(state, parent);
    RunModal(form);
}
