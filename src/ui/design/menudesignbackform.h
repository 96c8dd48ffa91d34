// TMenuDesignBackForm (module bMenbckf): the background of the table of contents' screen; "&Adjust
// Window" places its list panel and author box.
#pragma once

#include "ui/design/displaydesignbackform.h"

class TMenuDesignBackForm : public TDisplayDesignBackForm
{
    Q_OBJECT

public:
    // Edits the menu's display; the author box's place comes back from the adjust window.
    explicit TMenuDesignBackForm(MenuRecord& menu, QWidget* parent = nullptr);

protected:
    void adjustWindow() override;
    void done(int result) override;

private:
    MenuRecord& m_menu;
    AuthorRecord m_author; // as placed so far
};
