// TVPDesignBackForm (module HTxbackf): the background of a Graphic and Text link's screen; "&Adjust
// Window" places its text window.
#pragma once

#include "ui/design/displaydesignbackform.h"

class TVPDesignBackForm : public TDisplayDesignBackForm
{
    Q_OBJECT

public:
    TVPDesignBackForm(DisplayRecord& display, const QByteArray& rtf, QWidget* parent = nullptr);

protected:
    void adjustWindow() override;

private:
    QByteArray m_rtf;
};
