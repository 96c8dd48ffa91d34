// The introduction screen.
#include "format/displaysection.h"
#include "winreader/aboutbox.h"
#include "winreader/bookscreens.h"
#include "winreader/readerscreen.h"
#include "winreader/screencolour.h"
#include "winreader/textwindow.h"

namespace winreader {

namespace {

class IntroScreen : public ReaderScreen
{
public:
    IntroScreen(const bookformat::CompiledBook& book, const std::string& rtf, HWND owner)
        : ReaderScreen(L"KestrinIntroduction", book.project().Config.BookTitle.utf8(), owner),
          m_project(book.project()),
          m_text(handle(), ScreenColour(m_project.Presentation.Intro.IntroDisplay.TextColor))
    {
        const bookformat::IntroRecord& intro = m_project.Presentation.Intro;
        const bookformat::CaptionsRecord& captions = m_project.Presentation.Captions;
        if (intro.UseMenuBar) {
            addMenuItem(kMenuClose, captions.CloseCaption.utf8());
            if (m_project.Presentation.AboutShown)
                addMenuItem(kMenuAbout, captions.AboutCaption.utf8());
        }
        setBars(intro.IntroBars);
        setBackground(bookformat::BackgroundOf(intro.IntroDisplay), ScreenColour(0xC0C0C0));
        m_text.load(rtf);
    }

protected:
    void layOut() override
    {
        m_text.place(TextPlace(m_project.Presentation.Intro.IntroDisplay, area()));
    }
    void command(int id, int) override
    {
        if (id == kMenuAbout)
            ShowAboutBox(m_project.Presentation.About, handle());
        else if (id == kMenuClose || id == IDCANCEL)
            close();
    }
    void rightClickedOnArea() override { close(); }

private:
    const bookformat::ProjectRecord& m_project;
    TextWindow m_text;
};

} // namespace

void ShowIntroduction(const bookformat::CompiledBook& book, HWND owner)
{
    const auto text = bookformat::IntroText(book);
    IntroScreen screen(book, text ? bookformat::RtfFromLines(*text) : std::string(), owner);
    screen.run();
}

} // namespace winreader
