// TTextAdjustForm: the window-adjusting windows of a text window (the chapter's, the
// introduction's, a picture-and-text screen's): they share placing and reading back the text
// window.
#pragma once

#include "ui/design/adjustform.h"

class TTextWindow;

class TTextAdjustForm : public TAdjustForm
{
    Q_OBJECT

public:
    TTextAdjustForm(const char* className, bool helpInPopup, const DisplayRecord& display,
                    const QByteArray& rtf, QWidget* parent);

    TTextWindow* TextPnl;

    // The record with the text window's place as the author left it.
    DisplayRecord placed() const;

protected:
    void showEvent(QShowEvent* event) override;
    DisplayRecord m_display;

private:
    bool m_placed = false;
};
