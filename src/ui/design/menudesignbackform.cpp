// The background design window of the table of contents' screen (module bMenbckf).
#include "ui/design/menudesignbackform.h"

#include "platform/modal.h"
#include "ui/design/menuadjustform.h"

TMenuDesignBackForm::TMenuDesignBackForm(MenuRecord& menu, QWidget* parent)
    : TDisplayDesignBackForm(kMenuBackground, menu.MenuDisplay, parent), m_menu(menu),
      m_author(menu.Author)
{}

void TMenuDesignBackForm::adjustWindow()
{
    const HiddenWhileSubWindow hidden(this);
    MenuRecord placed = m_menu;
    placed.MenuDisplay = working();
    placed.Author = m_author;
    if (AdjustMenuWindow(placed, parentWidget())) {
        working() = placed.MenuDisplay;
        m_author = placed.Author;
    }
}

void TMenuDesignBackForm::done(int result)
{
    TDisplayDesignBackForm::done(result);
    if (result == QDialog::Accepted)
        m_menu.Author = m_author;
}
