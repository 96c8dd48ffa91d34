// TChapDesignBackForm (module Chpbackf): the background of a chapter's screen; "&Adjust Window"
// places its text.
#pragma once

#include "ui/design/displaydesignbackform.h"

class TChapDesignBackForm : public TDisplayDesignBackForm
{
    Q_OBJECT

public:
    TChapDesignBackForm(DisplayRecord& display, const ProjectRecord& project,
                        const QString& chapterFile, QWidget* parent = nullptr);

protected:
    void adjustWindow() override;

private:
    ProjectRecord m_project; // a copy: callers may pass a temporary
    QString m_chapterFile;
};
