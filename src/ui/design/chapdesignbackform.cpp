// The background design window of a chapter's screen (module Chpbackf).
#include "ui/design/chapdesignbackform.h"

#include "platform/modal.h"
#include "ui/design/chapadjustform.h"

TChapDesignBackForm::TChapDesignBackForm(DisplayRecord& display, const ProjectRecord& project,
                                         const QString& chapterFile, QWidget* parent)
    : TDisplayDesignBackForm(kChapterBackground, display, parent), m_project(project),
      m_chapterFile(chapterFile)
{}

void TChapDesignBackForm::adjustWindow()
{
    const HiddenWhileSubWindow hidden(this);
    DisplayRecord placed = working();
    if (AdjustChapterWindow(placed, m_project, m_chapterFile, parentWidget()))
        working() = placed;
}
