// TDisplayDesignBackForm: the background design windows that edit a DisplayRecord.
#pragma once

#include "ui/design/designbackform.h"

// The members that edit a DisplayRecord: on "&OK" the fields go back into the record.
class TDisplayDesignBackForm : public TDesignBackForm
{
    Q_OBJECT

public:
    TDisplayDesignBackForm(const BackgroundMember& member, DisplayRecord& display, QWidget* parent);

protected:
    void done(int result) override;
    // The record as it stands in this window: the caller's gets it only on "&OK". The adjust
    // window works on it with the background chosen so far and saves its window fields into it.
    DisplayRecord& working();

private:
    DisplayRecord& m_display;
    DisplayRecord m_working;
};
