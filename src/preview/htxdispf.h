// TShowHTextForm: the pop-up window of a Text Only HyperText link.
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
    // `origin` is where the 640 x 480 design screen starts on the screen.
    TShowHTextForm(const DisplayRecord& display, const QStringList& textLines, QPoint origin,
                   QWidget* parent = nullptr);

    TTextWindow* TextPnl;
    QFrame* ButtonPnl;
    QPushButton* OKBtn;

protected:
    void showEvent(QShowEvent* event) override;

private:
    DisplayRecord m_display;
    QPoint m_origin;
};
