// TMenuTestForm (module bMntestf): the table of contents as the reader will see it, from the
// designer's copies and the book's chapters; it changes nothing.
#pragma once

#include "core/book/booksource.h"
#include "core/project/workingstate.h"
#include "preview/bookmenuform.h"

#include <memory>

// The records and the context the screen is built from, set up before the screen itself.
struct MenuTestBook
{
    MenuTestBook(WorkingState& state, const MenuRecord& menu,
                 const PresentationRecord& presentation, const ConfigRecord& config,
                 const QString& toolHelpFile);
    DesignedBookSource source;
    PreviewContext context;
};

class TMenuTestForm : public TBookMenuForm
{
    Q_OBJECT

public:
    TMenuTestForm(WorkingState& state, const MenuRecord& menu,
                  const PresentationRecord& presentation, const ConfigRecord& config,
                  const QString& toolHelpFile, QWidget* parent = nullptr);

private:
    // The screen keeps a reference to the book's context: the book lives on the heap, made
    // before the screen and kept as long as it.
    TMenuTestForm(std::unique_ptr<MenuTestBook> book, QWidget* parent);
    std::unique_ptr<MenuTestBook> m_book;
};

void TestTableOfContents(WorkingState& state, const MenuRecord& menu,
                         const PresentationRecord& presentation, const ConfigRecord& config,
                         const QString& toolHelpFile, QWidget* parent);
