// TCFGDesignBackForm (module PcnfgbkF): the background of the program background, behind every
// window of the book, with "View" to see it over the whole screen.
#pragma once

#include "ui/design/designbackform.h"

class TCFGDesignBackForm : public TDesignBackForm
{
    Q_OBJECT

public:
    explicit TCFGDesignBackForm(ConfigRecord& config, QWidget* parent = nullptr);

protected:
    void done(int result) override;
    void view() override;

private:
    ConfigRecord& m_config;
};
