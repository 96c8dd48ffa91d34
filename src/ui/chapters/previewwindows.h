// The chapter windows' "&View" through the reader screens and their "Design Display File",
// on the open project.
#pragma once

#include "core/project/workingstate.h"
#include "ui/chapters/chapterhooks.h"

class PreviewChapterWindows : public ChapterWindows
{
public:
    explicit PreviewChapterWindows(WorkingState& state) : m_state(state) {}
    void showChapter(QWidget* parent, const QString& chapterFile, const DisplayRecord& display,
                     const ProjectRecord& project) override;
    std::optional<QString> designDisplay(QWidget* parent, ProjectRecord& project,
                                         const QString& chapterFile) override;

private:
    WorkingState& m_state;
};
