// The program background's design window (module PcnfgbkF).
#include "ui/design/cfgdesignbackform.h"

#include "ui/design/tbackform.h"

TCFGDesignBackForm::TCFGDesignBackForm(ConfigRecord& config, QWidget* parent)
    : TDesignBackForm(kProgramBackground, BackgroundFields::of(config), parent), m_config(config)
{}

void TCFGDesignBackForm::done(int result)
{
    TDesignBackForm::done(result);
    if (result == QDialog::Accepted)
        fields().storeIn(m_config);
}

void TCFGDesignBackForm::view()
{
    ConfigRecord shown = m_config;
    current().storeIn(shown);
    ViewProgramBackground(shown, this);
}
