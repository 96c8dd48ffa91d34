// The chapter windows' "&View" through the reader screens and their "Design Display File",
// on the open project.
#pragma once

#include "core/project/workingstate.h"
#include "ui/chapters/chapterhooks.h"

#include <QPoint>

#include <functional>

class PreviewChapterWindows : public ChapterWindows
{
public:
    // `origin` gives where the design screen starts for text pop-ups, asked when they open.
    PreviewChapterWindows(WorkingState& state, std::function<QPoint()> origin)
        : m_state(state), m_origin(std::move(origin))
    {}
    void showChapter(QWidget* parent, const QString& chapterFile, const DisplayRecord& display,
                     const ProjectRecord& project) override;
    std::optional<QString> designDisplay(QWidget* parent, ProjectRecord& project,
                                         const QString& chapterFile) override;

private:
    WorkingState& m_state;
    std::function<QPoint()> m_origin;
};
