// Showing a chapter from the chapter windows.
#include "ui/chapters/previewwindows.h"

#include "core/book/booksource.h"
#include "preview/chapdispform.h"
#include "ui/design/chapdesignform.h"

void PreviewChapterWindows::showChapter(QWidget* parent, const QString& chapterFile,
                                        const DisplayRecord& display, const ProjectRecord&)
{
    ProjectBookSource source(m_state);
    const PreviewContext context{source, m_state.HelpFilePath};
    ShowChapter(context, display, source.chapterText(chapterFile), parent);
}

std::optional<QString> PreviewChapterWindows::designDisplay(QWidget* parent, ProjectRecord& project,
                                                            const QString& chapterFile)
{
    return DesignChapterDisplay(m_state, project, chapterFile, parent);
}
