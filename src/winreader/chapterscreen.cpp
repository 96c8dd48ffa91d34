// A chapter: its rich text on its display, with live HyperText phrases, and the menu bar of the
// book's captions (Close, Find, Print, About).
#include "winreader/bookscreen.h"
#include "winreader/bookscreens.h"
#include "winreader/finddialog.h"
#include "winreader/linkactions.h"
#include "winreader/printing.h"
#include "winreader/screencolour.h"
#include "winreader/textwindow.h"

#include <richedit.h>
#include <windowsx.h>

namespace winreader {

namespace {

constexpr UINT kOpenPhrase = WM_APP + 1;
constexpr UINT kReportPhrases = WM_APP + 2;

class ChapterScreen : public BookScreen
{
public:
    ChapterScreen(const bookformat::CompiledBook& book, std::size_t index, HWND owner)
        : BookScreen(L"KestrinChapter", book.project(), owner), m_book(book),
          m_display(book.display(book.chapters().at(index).DisplayFile.utf8())),
          m_text(handle(), ScreenColour(m_display.TextColor)),
          m_find(handle(), m_text.handle(), FindDialog::Find)
    {
        buildMenu();
        setBars(project().ChapterBars);
        setBackground(bookformat::BackgroundOf(m_display), ScreenColour(0xC0C0C0));
        m_text.load(book.chapterText(index));
        m_text.watchClicks();
    }

protected:
    void layOut() override
    {
        m_text.place(TextPlace(m_display, area()));
        SetFocus(m_text.handle()); // the keys scroll the text
    }
    // The text is laid out once it has been painted.
    void firstPainted() override { PostMessageW(handle(), kReportPhrases, 0, 0); }

    void command(int id, int code) override
    {
        switch (id) {
        case kMenuFind:
            m_find.open();
            break;
        case kMenuPrint:
            PrintRichText(m_text.handle(), std::string(), handle()); // an untitled document
            break;
        case kMenuPrinterSetup:
            PrinterSetup(handle());
            break;
        default:
            BookScreen::command(id, code);
            break;
        }
    }

    LRESULT notify(const NMHDR& header, LPARAM l) override
    {
        if (header.hwndFrom != m_text.handle() || header.code != EN_MSGFILTER)
            return 0;
        const auto& filter = *reinterpret_cast<const MSGFILTER*>(l);
        if (filter.msg == WM_LBUTTONDOWN) {
            // The entry opens once the press is handled, so that the control sees the press whole.
            m_pendingPhrase =
                m_text.phraseAt(POINT{GET_X_LPARAM(filter.lParam), GET_Y_LPARAM(filter.lParam)});
            if (!m_pendingPhrase.empty())
                PostMessageW(handle(), kOpenPhrase, 0, 0);
        }
        return 0;
    }

    LRESULT other(UINT message, WPARAM w, LPARAM l) override
    {
        if (m_find.handle(message, l))
            return 0;
        if (message == kOpenPhrase) {
            OpenPhrase(m_book, m_pendingPhrase, handle());
            return 0;
        }
        if (message == kReportPhrases) {
            m_text.reportPhrases();
            return 0;
        }
        return ReaderScreen::other(message, w, l);
    }

private:
    void buildMenu()
    {
        const bookformat::CaptionsRecord& captions = project().Presentation.Captions;
        addMenuItem(kMenuClose, captions.CloseCaption.utf8());
        addMenuItem(kMenuFind, captions.FindCaption.utf8());
        if (m_display.PrintAllowed)
            addSubMenu(captions.PrintCaption.utf8(),
                       {{kMenuPrint, "&Print"}, {kMenuPrinterSetup, "Printer Setup"}});
        addAboutItem();
        addHelpItem();
    }

    const bookformat::CompiledBook& m_book;
    bookformat::DisplayRecord m_display;
    TextWindow m_text;
    FindDialog m_find;
    std::string m_pendingPhrase;
};

} // namespace

void ShowChapter(const bookformat::CompiledBook& book, std::size_t index, HWND owner)
{
    ChapterScreen screen(book, index, owner);
    screen.run();
}

} // namespace winreader
