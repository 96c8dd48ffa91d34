// The introduction screen.
#include "format/sections/displaylines.h"
#include "winreader/bookscreen.h"
#include "winreader/bookscreens.h"
#include "winreader/screencolour.h"
#include "winreader/textwindow.h"

namespace winreader {

namespace {

class IntroScreen : public BookScreen
{
public:
    IntroScreen(const bookformat::CompiledBook& book, const std::string& rtf, HWND owner)
        : BookScreen(L"KestrinIntroduction", book.project(), owner),
          m_text(handle(), ScreenColour(project().Presentation.Intro.IntroDisplay.TextColor))
    {
        const bookformat::IntroRecord& intro = project().Presentation.Intro;
        if (intro.UseMenuBar) {
            addMenuItem(kMenuClose, project().Presentation.Captions.CloseCaption.utf8());
            addHelpItem();
            addAboutItem();
        }
        setBars(intro.IntroBars);
        setBackground(bookformat::BackgroundOf(intro.IntroDisplay), ScreenColour(0xC0C0C0));
        m_text.load(rtf);
    }

protected:
    void layOut() override
    {
        m_text.place(TextPlace(project().Presentation.Intro.IntroDisplay, area()));
        SetFocus(m_text.handle()); // the keys scroll the text
    }
    void rightClickedOnArea() override { close(); }

private:
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
