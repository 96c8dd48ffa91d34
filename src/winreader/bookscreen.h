// A screen of the book itself (introduction, table of contents, chapter): its menu bar's About,
// Help and Close, with the book's captions.
#pragma once

#include "format/records/recordlayout.h"
#include "winreader/readerscreen.h"

namespace winreader {

class BookScreen : public ReaderScreen
{
public:
    BookScreen(const wchar_t* className, const bookformat::ProjectRecord& project, HWND owner)
        : ReaderScreen(className, project.Config.BookTitle.utf8(), owner), m_project(project)
    {}

protected:
    const bookformat::ProjectRecord& project() const { return m_project; }
    // The About and Help commands, when the book shows them.
    void addAboutItem();
    void addHelpItem();
    // About, Help, and Close (Escape) for every book screen.
    void command(int id, int code) override;

private:
    const bookformat::ProjectRecord& m_project;
};

} // namespace winreader
