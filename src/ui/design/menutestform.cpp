// The table of contents' test window (module bMntestf).
#include "ui/design/menutestform.h"

#include "platform/modal.h"

#include <QMenuBar>

namespace {

ProjectRecord designed(const ProjectRecord& project, const MenuRecord& menu,
                       const PresentationRecord& presentation, const ConfigRecord& config)
{
    ProjectRecord shown = project;
    shown.Menu = menu;
    shown.Presentation = presentation;
    shown.Config = config;
    return shown;
}

} // namespace

MenuTestBook::MenuTestBook(WorkingState& state, const MenuRecord& menu,
                           const PresentationRecord& presentation, const ConfigRecord& config,
                           const QString& toolHelpFile)
    : source(state, designed(state.Project, menu, presentation, config)), context{source,
                                                                                  toolHelpFile}
{}

TMenuTestForm::TMenuTestForm(WorkingState& state, const MenuRecord& menu,
                             const PresentationRecord& presentation, const ConfigRecord& config,
                             const QString& toolHelpFile, QWidget* parent)
    : TMenuTestForm(std::make_unique<MenuTestBook>(state, menu, presentation, config, toolHelpFile),
                    parent)
{}

TMenuTestForm::TMenuTestForm(std::unique_ptr<MenuTestBook> book, QWidget* parent)
    : TBookMenuForm(book->context, book->source.menuEntries(), parent), m_book(std::move(book))
{
    setObjectName(QStringLiteral("TMenuTestForm"));
    // Without its menu bar the reader can reach neither About nor Help from this screen.
    const bool menuBar = m_book->source.project().Menu.MenuBarShown != 0;
    MainMenu1->setVisible(menuBar);
    MainMenu1->setEnabled(menuBar);
}

void TestTableOfContents(WorkingState& state, const MenuRecord& menu,
                         const PresentationRecord& presentation, const ConfigRecord& config,
                         const QString& toolHelpFile, QWidget* parent)
{
    TMenuTestForm form(state, menu, presentation, config, toolHelpFile, parent);
    RunModal(form);
}
