// TShowHTextForm (module Htxdispf): the pop-up window of a Text Only HyperText link.
#pragma once

#include "core/project/records.h"

#include <QDialog>

class QFrame;
class QPushButton;
class TTextWindow;

class TShowHTextForm : public QDialog
{
    Q_OBJECT

public:
    // Opens at the display's place on the design screen (DesignScreenOrigin).
    TShowHTextForm(const DisplayRecord& display, const QStringList& textLines,
                   QWidget* parent = nullptr);

    TTextWindow* TextPnl;
    QFrame* ButtonPnl;
    QPushButton* OKBtn;

protected:
    void showEvent(QShowEvent* event) override;

private:
    DisplayRecord m_display;
};
