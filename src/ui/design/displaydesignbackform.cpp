// The background design windows of display records.
#include "ui/design/displaydesignbackform.h"

TDisplayDesignBackForm::TDisplayDesignBackForm(const BackgroundMember& member,
                                               DisplayRecord& display, QWidget* parent)
    : TDesignBackForm(member, BackgroundFields::of(display), parent), m_display(display),
      m_working(display)
{}

DisplayRecord& TDisplayDesignBackForm::working()
{
    current().storeIn(m_working);
    return m_working;
}

void TDisplayDesignBackForm::done(int result)
{
    TDesignBackForm::done(result);
    if (result == QDialog::Accepted) {
        fields().storeIn(m_working);
        m_display = m_working;
    }
}
