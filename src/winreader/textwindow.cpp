#include "winreader/textwindow.h"

#include "format/reader/phraserule.h"
#include "format/reader/picturefile.h"
#include "format/rtf/rtflistmarks.h"
#include "format/rtf/rtfnesting.h"
#include "format/text/textencoding.h"
#include "format/text/utf8.h"
#include "winreader/picture.h"
#include "winreader/screenreport.h"
#include "winreader/wintext.h"

#include <algorithm>
#include <commctrl.h>
#include <richedit.h>
#include <vector>

namespace winreader {

namespace {

constexpr int kMargin = 10;

struct StreamSource
{
    std::string_view bytes;
    std::size_t at = 0;
};

DWORD CALLBACK readChunk(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given)
{
    auto* source = reinterpret_cast<StreamSource*>(cookie);
    const std::size_t count =
        std::min<std::size_t>(std::size_t(wanted), source->bytes.size() - source->at);
    std::copy_n(source->bytes.data() + source->at, count, buffer);
    source->at += count;
    *given = LONG(count);
    return 0;
}

void streamIn(HWND edit, std::string_view bytes, WPARAM format)
{
    StreamSource source{bytes};
    EDITSTREAM stream{DWORD_PTR(&source), 0, &readChunk};
    SendMessageW(edit, EM_STREAMIN, format, LPARAM(&stream));
}

// The control's text as the phrase rule counts it: a paragraph break is CR LF. The control keeps
// a paragraph break as a single CR, but some of its own marks (a table row's, under Wine) are CR
// LF already, and each counts as two positions: the text is read as the control counts it, one
// character a position, and a line feed put after each lone CR; `control` maps a position back.
class RichEditText : public bookformat::ControlTextView
{
public:
    explicit RichEditText(HWND edit) : m_edit(edit)
    {
        GETTEXTLENGTHEX length{GTL_NUMCHARS | GTL_PRECISE, 1200};
        const LRESULT size = SendMessageW(edit, EM_GETTEXTLENGTHEX, WPARAM(&length), 0);
        std::u16string text(std::size_t(std::max<LRESULT>(size, 0)) + 1, u'\0');
        GETTEXTEX get{DWORD(text.size() * sizeof(char16_t)), GT_DEFAULT, 1200, nullptr, nullptr};
        const LRESULT copied = SendMessageW(edit, EM_GETTEXTEX, WPARAM(&get), LPARAM(text.data()));
        text.resize(std::size_t(std::max<LRESULT>(copied, 0)));
        m_text.reserve(text.size() + text.size() / 16);
        for (std::size_t i = 0; i < text.size(); ++i) {
            m_text.push_back(text[i]);
            if (text[i] == u'\r' && (i + 1 == text.size() || text[i + 1] != u'\n')) {
                m_feeds.push_back(int(m_text.size()));
                m_text.push_back(u'\n');
            }
        }
    }

    int length() const override { return int(m_text.size()); }
    char16_t at(int position) const override
    {
        return position >= 0 && position < length() ? m_text[std::size_t(position)] : u'\0';
    }
    bool underlinedAt(int position) const override
    {
        if (position < 0 || position >= length() || m_text[std::size_t(position)] == u'\r' ||
            m_text[std::size_t(position)] == u'\n')
            return false;
        const LONG first = control(position);
        CHARRANGE range{first, first + 1};
        SendMessageW(m_edit, EM_EXSETSEL, 0, LPARAM(&range));
        CHARFORMAT2W format{};
        format.cbSize = sizeof format;
        SendMessageW(m_edit, EM_GETCHARFORMAT, SCF_SELECTION, LPARAM(&format));
        return (format.dwMask & CFM_UNDERLINE) && (format.dwEffects & CFE_UNDERLINE);
    }

    // A position of the control as a position of this text.
    int fromControl(LONG position) const
    {
        int p = int(position);
        for (const int feed : m_feeds) {
            if (feed > p)
                break;
            ++p;
        }
        return p;
    }
    LONG control(int position) const
    {
        const auto before = std::lower_bound(m_feeds.begin(), m_feeds.end(), position);
        return LONG(position - (before - m_feeds.begin()));
    }

private:
    HWND m_edit;
    std::u16string m_text;
    std::vector<int> m_feeds; // positions of the line feeds added after lone CRs
};

// Runs `read` with the control's selection and view kept: the selections it makes are never
// painted, and the control, which scrolls to a selection, is put back where the reader had it.
template <class F> auto keepingSelection(HWND edit, F&& read)
{
    CHARRANGE selection{};
    SendMessageW(edit, EM_EXGETSEL, 0, LPARAM(&selection));
    POINT view{};
    SendMessageW(edit, EM_GETSCROLLPOS, 0, LPARAM(&view));
    auto result = read();
    SendMessageW(edit, EM_EXSETSEL, 0, LPARAM(&selection));
    SendMessageW(edit, EM_SETSCROLLPOS, 0, LPARAM(&view));
    return result;
}

// The book's text is read, not typed: the mouse keeps the arrow over it, as on Linux, where the
// control would show its text cursor.
LRESULT CALLBACK arrowOverText(HWND edit, UINT message, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR)
{
    if (message == WM_SETCURSOR && LOWORD(l) == HTCLIENT) {
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        return TRUE;
    }
    return DefSubclassProc(edit, message, w, l);
}

std::string utf8Of(const std::u16string& text)
{
    return Utf8(std::wstring_view(reinterpret_cast<const wchar_t*>(text.data()), text.size()));
}

} // namespace

RECT TextPlace(const bookformat::DisplayRecord& display, const RECT& area)
{
    if (display.FullScreen)
        return area;
    return RECT{area.left + display.WinLeft, area.top + display.WinTop,
                area.left + display.WinLeft + display.WinWidth,
                area.top + display.WinTop + display.WinHeight};
}

TextWindow::TextWindow(HWND parent, COLORREF background)
{
    static const HMODULE library = LoadLibraryW(L"Msftedit.dll");
    (void)library;
    // The scroll bar is always there, disabled while the text fits, so that the text wraps at one
    // width whatever its length, as on Linux.
    m_edit = CreateWindowExW(WS_EX_CLIENTEDGE, MSFTEDIT_CLASS, L"",
                             WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY |
                                 ES_AUTOVSCROLL | ES_NOHIDESEL | ES_DISABLENOSCROLL,
                             0, 0, 0, 0, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(m_edit, EM_SETBKGNDCOLOR, 0, LPARAM(background));
    SetWindowSubclass(m_edit, arrowOverText, 0, 0);
    // A text starts plain: Wine's control starts from its system font, which is bold, and a
    // chapter that never switches bold off would be drawn bold throughout.
    CHARFORMAT2W plain{};
    plain.cbSize = sizeof plain;
    plain.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_WEIGHT;
    plain.wWeight = FW_NORMAL;
    SendMessageW(m_edit, EM_SETCHARFORMAT, SCF_DEFAULT, LPARAM(&plain));
}

void TextWindow::place(const RECT& area)
{
    MoveWindow(m_edit, area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
    RECT inside;
    GetClientRect(m_edit, &inside);
    InflateRect(&inside, -kMargin, -kMargin);
    SendMessageW(m_edit, EM_SETRECT, 0, LPARAM(&inside));
}

void TextWindow::load(std::string_view text)
{
    if (text.starts_with("{\\rtf")) {
        // The control draws bitmaps only: every other picture is drawn into one first, within
        // the pixels one document may cost.
        std::int64_t budget = bookformat::kMaxDocumentPicturePixels;
        // Groups nested deeper than the control copes with are opened into the ones around them.
        const std::string flattened = bookformat::RtfNestingDepth(text) > bookformat::kMaxRtfNesting
                                          ? bookformat::FlattenRtfNesting(text)
                                          : std::string();
        if (!flattened.empty())
            text = flattened;
        // The control's own numbering would draw bullets in a font that may be missing.
        const std::string marked =
            bookformat::HasRtfListMarks(text) ? bookformat::ListMarksAsText(text) : std::string();
        if (!marked.empty())
            text = marked;
        streamIn(m_edit,
                 bookformat::ReplaceRtfPictures(text,
                                                [&budget](const bookformat::RtfPicture& picture) {
                                                    return DrawableRtfPicture(picture, budget);
                                                }),
                 SF_RTF);
    } else {
        const std::string utf8 =
            bookformat::IsValidUtf8(text) ? std::string(text) : bookformat::Windows1252ToUtf8(text);
        const std::wstring wide = Wide(utf8);
        streamIn(m_edit,
                 std::string_view(reinterpret_cast<const char*>(wide.data()),
                                  wide.size() * sizeof(wchar_t)),
                 SF_TEXT | SF_UNICODE);
    }
    CHARRANGE start{0, 0};
    SendMessageW(m_edit, EM_EXSETSEL, 0, LPARAM(&start));
    SendMessageW(m_edit, EM_SCROLLCARET, 0, 0);
}

void TextWindow::watchClicks()
{
    SendMessageW(m_edit, EM_SETEVENTMASK, 0, ENM_MOUSEEVENTS);
}

std::string TextWindow::phraseAt(POINT point) const
{
    POINTL at{point.x, point.y};
    const LONG position = LONG(SendMessageW(m_edit, EM_CHARFROMPOS, 0, LPARAM(&at)));
    return keepingSelection(m_edit, [&] {
        const RichEditText text(m_edit);
        return utf8Of(bookformat::HyperPhraseAt(text, text.fromControl(position)));
    });
}

void TextWindow::reportPhrases() const
{
    if (!ScreenReportEnabled())
        return;
    RECT view;
    GetClientRect(m_edit, &view);
    // Only the characters in view: from the top left corner to the bottom right one.
    POINTL corner{view.left, view.top};
    const LONG first = LONG(SendMessageW(m_edit, EM_CHARFROMPOS, 0, LPARAM(&corner)));
    corner = POINTL{view.right - 1, view.bottom - 1};
    const LONG last = LONG(SendMessageW(m_edit, EM_CHARFROMPOS, 0, LPARAM(&corner)));
    const std::vector<POINT> middles = keepingSelection(m_edit, [&] {
        const RichEditText text(m_edit);
        std::vector<POINT> found;
        const int end = std::min(text.length(), text.fromControl(last) + 1);
        for (int p = text.fromControl(first); p < end;) {
            if (!text.underlinedAt(p)) {
                ++p;
                continue;
            }
            int runEnd = p;
            while (runEnd < text.length() && text.underlinedAt(runEnd))
                ++runEnd;
            POINTL left{}, right{};
            SendMessageW(m_edit, EM_POSFROMCHAR, WPARAM(&left), text.control((p + runEnd) / 2));
            SendMessageW(m_edit, EM_POSFROMCHAR, WPARAM(&right),
                         text.control((p + runEnd) / 2) + 1);
            CHARFORMAT2W format{};
            format.cbSize = sizeof format;
            SendMessageW(m_edit, EM_GETCHARFORMAT, SCF_SELECTION, LPARAM(&format));
            const LONG height = std::max<LONG>(format.yHeight / 15, 8); // twips to pixels
            POINT middle{left.x + std::max<LONG>((right.x - left.x) / 2, 1), left.y + height / 2};
            if (PtInRect(&view, middle))
                found.push_back(middle);
            p = runEnd;
        }
        return found;
    });
    for (POINT middle : middles) {
        const std::string phrase = phraseAt(middle);
        ClientToScreen(m_edit, &middle);
        ReportMessage("phrase",
                      phrase + " at " + std::to_string(middle.x) + "," + std::to_string(middle.y));
    }
    ReportMessage("phrases", std::to_string(middles.size()));
}

} // namespace winreader
