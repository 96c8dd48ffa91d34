// THypTextAdjForm (module Htxwadjf): places and sizes the pop-up window of a Text Only link on a
// mock-up of the book's screen.
//
// The sample panel stands for the pop-up's window itself: its place in the 640 x 480 screen is
// the pop-up's place relative to the book-screen origin, and its size is the pop-up's size. The
// pop-up is WinWidth + 3 wide and WinHeight high, so the panel opens at (WinLeft, WinTop) with
// width WinWidth + 3 and height WinHeight, and saving stores left, top, width - 3 and height:
// opening and saving without a move gives the stored values back, and the pop-up opens exactly
// where the author left the sample.
#pragma once

#include "ui/design/adjustform.h"

class QFrame;
class QPushButton;
class TRichEdit;

class THypTextAdjForm : public TAdjustForm
{
    Q_OBJECT

public:
    THypTextAdjForm(const DisplayRecord& display, const QStringList& rtfLines,
                    QWidget* parent = nullptr);

    QFrame* Panel1;
    QFrame* Panel2;
    QFrame* Panel3;
    TRichEdit* RichEdit1;
    QFrame* Panel4;
    QPushButton* BitBtn1;

    DisplayRecord placed() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    DisplayRecord m_display;
    bool m_placed = false;
};

// True when the author saved; the record then holds the pop-up's new place and size.
bool AdjustPopupWindow(DisplayRecord& display, const QStringList& rtfLines,
                       QWidget* parent = nullptr);
