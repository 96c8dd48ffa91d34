// The table of contents' test window.
#include "ui/design/bmntestf.h"

#include "platform/modal.h"

#include <QMenuBar>

MenuTestBook::MenuTestBook(const MenuRecord& menu, const PresentationRecord& presentation,
                           const ConfigRecord& config, const QString& toolHelpFile)
    : source(presentation, config, menu), context{source, toolHelpFile, QPoint()}
{}

TMenuTestForm::TMenuTestForm(const MenuRecord& menu, const PresentationRecord& presentation,
                             const ConfigRecord& config, const QString& toolHelpFile,
                             QWidget* parent)
    : TMenuTestForm(std::make_unique<MenuTestBook>(menu, presentation, config, toolHelpFile),
                    parent)
{}

TMenuTestForm::TMenuTestForm(std::unique_ptr<MenuTestBook> book, QWidget* parent)
    : TBookMenuForm(book->context, {}, parent), m_book(std::move(book))
{
    setObjectName(QStringLiteral("TMenuTestForm"));
    // Without its menu bar the reader can reach neither About nor Help from this screen.
    const bool menuBar = m_book->source.project().Menu.MenuBarShown != 0;
    MainMenu1->setVisible(menuBar);
    MainMenu1->setEnabled(menuBar);
}

void TestTableOfContents(const MenuRecord& menu, const PresentationRecord& presentation,
                         const ConfigRecord& config, const QString& toolHelpFile, QWidget* parent)
{
    TMenuTestForm form(menu, presentation, config, toolHelpFile, parent);
    RunModal(form);
}
