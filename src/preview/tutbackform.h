// TTutBackForm (module Prgbackf): the program background behind a playing book, as large as the
// screen; a backdrop that takes no input.
#pragma once

#include "core/project/records.h"

#include <QWidget>

class TScreenPanel;

class TTutBackForm : public QWidget
{
    Q_OBJECT

public:
    explicit TTutBackForm(const ConfigRecord& config, QWidget* parent = nullptr);

    TScreenPanel* ScreenPnl;

protected:
    void showEvent(QShowEvent* event) override;

private:
    ConfigRecord m_config;
    bool m_shown = false;
};
