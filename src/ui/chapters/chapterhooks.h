// Windows the chapter windows open that other parts of the tool provide: the chapter display
// (the reader's view of a chapter) and the chapter display designer. Until they are installed
// the chapter windows do everything else their buttons do.
#pragma once

#include "core/project/records.h"
#include "core/services/service.h"

#include <QString>

#include <optional>

class QWidget;

class ChapterWindows
{
public:
    virtual ~ChapterWindows() = default;
    virtual void showChapter(QWidget* parent, const QString& chapterFile,
                             const DisplayRecord& display, const ProjectRecord& project) = 0;
    // The name of the display file the designer saved; nothing when it was cancelled.
    virtual std::optional<QString> designDisplay(QWidget* parent, ProjectRecord& project,
                                                 const QString& chapterFile) = 0;
};

class NoChapterWindows : public ChapterWindows
{
public:
    void showChapter(QWidget*, const QString&, const DisplayRecord&, const ProjectRecord&) override
    {}
    std::optional<QString> designDisplay(QWidget*, ProjectRecord&, const QString&) override
    {
        return std::nullopt;
    }
};

using ChapterWindowsSlot = ServiceSlot<ChapterWindows, NoChapterWindows>;
