// TChapAdjustForm (module chpadjf): places a chapter's text window on a mock-up of the chapter
// display, with the book's bars, background and menu bar.
#pragma once

#include "ui/design/textadjustform.h"

class TChapAdjustForm : public TTextAdjustForm
{
    Q_OBJECT

public:
    TChapAdjustForm(const DisplayRecord& display, const ProjectRecord& project,
                    const QByteArray& chapterText, QWidget* parent = nullptr);

    QAction* MQuit;
    QAction* MFind;
    QMenu* MPrint;
    QAction* MAbout;
    QAction* MHelp;
};

// Runs the window on the chapter's display; true when the author saved, the record then holds
// the text window's new place.
bool AdjustChapterWindow(DisplayRecord& display, const ProjectRecord& project,
                         const QString& chapterFile, QWidget* parent = nullptr);
