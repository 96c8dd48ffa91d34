// TTxtVPDispForm (module HTxVdspF): the screen of a Graphic and Text HyperText link: its text on
// its own background.
#pragma once

#include "core/project/records.h"

#include <QDialog>

class TScreenPanel;
class TTextWindow;

class TTxtVPDispForm : public QDialog
{
    Q_OBJECT

public:
    TTxtVPDispForm(const DisplayRecord& display, const QStringList& textLines,
                   QWidget* parent = nullptr);

    TScreenPanel* ScreenPnl;
    TTextWindow* TextPnl;

protected:
    void showEvent(QShowEvent* event) override;

private:
    DisplayRecord m_display;
};
