// The table of contents: the chapter menu with its OK and Quit buttons, and the author box.
#include "format/reader/authorbox.h"
#include "format/records/fontstring.h"
#include "format/text/utf8.h"
#include "winreader/bookscreen.h"
#include "winreader/bookscreens.h"
#include "winreader/messages.h"
#include "winreader/screencolour.h"
#include "winreader/wintext.h"

#include <algorithm>
#include <array>

namespace winreader {

namespace {

constexpr int kListId = 200;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;

HWND control(HWND parent, const wchar_t* type, const wchar_t* text, DWORD style, int id,
             DWORD extended = 0)
{
    HWND child = CreateWindowExW(extended, type, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                                 parent, HMENU(INT_PTR(id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(child, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    return child;
}

RECT offset(const RECT& area, int left, int top, int width, int height)
{
    return RECT{area.left + left, area.top + top, area.left + left + width,
                area.top + top + height};
}

class ContentsScreen : public BookScreen
{
public:
    ContentsScreen(const bookformat::CompiledBook& book, HWND owner)
        : BookScreen(L"KestrinContents", book.project(), owner), m_book(book),
          m_list(control(handle(), L"LISTBOX", L"",
                         WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                             LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
                         kListId, WS_EX_CLIENTEDGE)),
          m_ok(control(handle(), L"BUTTON", L"&OK", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK)),
          m_quit(control(handle(), L"BUTTON", L"&Quit", WS_TABSTOP, IDCANCEL)),
          m_authorFont(bookformat::BarFont(project().Menu.Author.AuthorFont.utf8()))
    {
        addMenuItem(kMenuClose, project().Presentation.Captions.QuitCaption.utf8());
        addAboutItem();
        addHelpItem();
        setBars(project().Menu.MenuBars);
        const bookformat::DisplayRecord& display = project().Menu.MenuDisplay;
        setBackground(bookformat::BackgroundOf(display), ScreenColour(display.BackColor));
        for (const bookformat::ChapterEntry& chapter : book.chapters()) {
            const std::string entry = chapter.MenuEntry.utf8();
            const LRESULT row = SendMessageW(m_list, LB_ADDSTRING, 0, LPARAM(Wide(entry).c_str()));
            // An Arabic or Hebrew entry reads from the right.
            SendMessageW(m_list, LB_SETITEMDATA, WPARAM(row), bookformat::IsRightToLeft(entry));
        }
        SendMessageW(m_list, LB_SETITEMHEIGHT, 0, lineHeight(m_list));
        SendMessageW(m_list, LB_SETCURSEL, 0, 0);
    }

protected:
    void layOut() override
    {
        const bookformat::DisplayRecord& display = project().Menu.MenuDisplay;
        m_box =
            offset(area(), display.WinLeft, display.WinTop, display.WinWidth, display.WinHeight);
        const int buttonsTop = m_box.bottom - 4 - kButtonHeight;
        MoveWindow(m_list, m_box.left + 6, m_box.top + 6, m_box.right - m_box.left - 12,
                   buttonsTop - 6 - (m_box.top + 6), TRUE);
        const int middle = (m_box.left + m_box.right) / 2;
        MoveWindow(m_ok, middle - kButtonWidth - 3, buttonsTop, kButtonWidth, kButtonHeight, TRUE);
        MoveWindow(m_quit, middle + 3, buttonsTop, kButtonWidth, kButtonHeight, TRUE);
        const bookformat::AuthorRecord& author = project().Menu.Author;
        m_author = offset(area(), author.AuthorLeft, author.AuthorTop, author.AuthorWidth,
                          author.AuthorHeight);
        SetFocus(m_list);
    }

    void command(int id, int code) override
    {
        if ((id == IDOK && code == BN_CLICKED) || (id == kListId && code == LBN_DBLCLK))
            openChapter();
        else
            BookScreen::command(id, code);
    }

    void paintArea(HDC dc) const override
    {
        FillRect(dc, &m_box, GetSysColorBrush(COLOR_BTNFACE));
        RECT frame{m_box.left + 4, m_box.top + 4, m_box.right - 4,
                   m_box.bottom - 8 - kButtonHeight};
        DrawEdge(dc, &frame, EDGE_SUNKEN, BF_RECT);
        if (project().Menu.UseAuthorBox)
            paintAuthorBox(dc);
    }

    LRESULT other(UINT message, WPARAM w, LPARAM l) override
    {
        if (message == WM_DRAWITEM && w == kListId) {
            drawEntry(*reinterpret_cast<const DRAWITEMSTRUCT*>(l));
            return TRUE;
        }
        return BookScreen::other(message, w, l);
    }

private:
    static void drawEntry(const DRAWITEMSTRUCT& item)
    {
        if (item.itemID == UINT(-1))
            return;
        const bool selected = item.itemState & ODS_SELECTED;
        FillRect(item.hDC, &item.rcItem,
                 GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        const LRESULT length = SendMessageW(item.hwndItem, LB_GETTEXTLEN, item.itemID, 0);
        std::wstring text(std::size_t(std::max<LRESULT>(length, 0)) + 1, L'\0');
        SendMessageW(item.hwndItem, LB_GETTEXT, item.itemID, LPARAM(text.data()));
        text.resize(std::size_t(std::max<LRESULT>(length, 0)));
        RECT place = item.rcItem;
        InflateRect(&place, -2, 0);
        const bool rightToLeft = item.itemData != 0;
        SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        SetBkMode(item.hDC, TRANSPARENT);
        DrawTextW(item.hDC, text.c_str(), int(text.size()), &place,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX |
                      (rightToLeft ? DT_RIGHT | DT_RTLREADING : DT_LEFT));
        if (item.itemState & ODS_FOCUS)
            DrawFocusRect(item.hDC, &item.rcItem);
    }

    static int lineHeight(HWND list)
    {
        HDC dc = GetDC(list);
        HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, old);
        ReleaseDC(list, dc);
        return metrics.tmHeight + 1;
    }

    void paintAuthorBox(HDC dc) const
    {
        const bookformat::AuthorRecord& author = project().Menu.Author;
        const std::array<std::string, 6> lines{
            author.AuthorLine1.utf8(), author.AuthorLine2.utf8(), author.AuthorLine3.utf8(),
            author.AuthorLine4.utf8(), author.AuthorLine5.utf8(), author.AuthorLine6.utf8()};
        HBRUSH brush = CreateSolidBrush(ScreenColour(author.AuthorColor));
        FillRect(dc, &m_author, brush);
        DeleteObject(brush);
        RECT edge = m_author;
        DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
        HGDIOBJ old = SelectObject(dc, m_authorFont.handle());
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, old);
        const COLORREF colour = ScreenColour(bookformat::BarFont(author.AuthorFont.utf8()).color);
        // An empty line keeps its place.
        const int inset = bookformat::kAuthorBoxInset;
        const int height = bookformat::AuthorLineHeight(metrics.tmHeight);
        RECT line{m_author.left + inset, m_author.top + inset, m_author.right - inset,
                  m_author.top + inset + height};
        for (const std::string& text : lines) {
            DrawFontText(dc, m_authorFont, colour, Wide(text), line,
                         DT_LEFT | DT_VCENTER | DT_SINGLELINE);
            OffsetRect(&line, 0, height);
        }
    }

    void openChapter()
    {
        const LRESULT index = SendMessageW(m_list, LB_GETCURSEL, 0, 0);
        if (index < 0)
            return;
        try {
            ShowChapter(m_book, std::size_t(index), handle());
        } catch (const bookformat::FormatError& error) {
            ShowError(error.what(), handle());
        }
        SetFocus(m_list);
    }

    const bookformat::CompiledBook& m_book;
    HWND m_list;
    HWND m_ok;
    HWND m_quit;
    Font m_authorFont;
    RECT m_box{};
    RECT m_author{};
};

} // namespace

void ShowTableOfContents(const bookformat::CompiledBook& book, HWND owner)
{
    ContentsScreen screen(book, owner);
    screen.run();
}

} // namespace winreader
