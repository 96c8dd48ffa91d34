#include "winreader/finddialog.h"

#include "winreader/modal.h"
#include "winreader/screenreport.h"
#include "winreader/wintext.h"

#include <cwchar>
#include <dlgs.h>
#include <richedit.h>
#include <string>

namespace winreader {

namespace {

constexpr UINT kFocusBack = WM_APP + 20;

UINT findMessage()
{
    static const UINT message = RegisterWindowMessageW(FINDMSGSTRINGW);
    return message;
}

} // namespace

FindDialog::FindDialog(HWND owner, HWND edit, Mode mode)
    : m_owner(owner), m_edit(edit), m_mode(mode)
{}

FindDialog::~FindDialog()
{
    if (m_dialog) {
        RemoveModelessDialog(m_dialog);
        DestroyWindow(m_dialog);
    }
}

void FindDialog::open()
{
    CHARRANGE selection{};
    SendMessageW(m_edit, EM_EXGETSEL, 0, LPARAM(&selection));
    const LONG length = selection.cpMax - selection.cpMin;
    if (length >= 1 && length <= 29)
        SendMessageW(m_edit, EM_GETSELTEXT, 0, LPARAM(m_find));
    if (m_dialog) {
        SetDlgItemTextW(m_dialog, edt1, m_find);
        SetActiveWindow(m_dialog);
        return;
    }
    m_request = FINDREPLACEW{};
    m_request.lStructSize = sizeof m_request;
    m_request.hwndOwner = m_owner;
    // Found in any letter case, as on every screen of the book.
    m_request.Flags = FR_DOWN | FR_HIDEUPDOWN | FR_HIDEMATCHCASE | FR_HIDEWHOLEWORD;
    m_request.lpstrFindWhat = m_find;
    m_request.wFindWhatLen = sizeof m_find;
    m_request.lpstrReplaceWith = m_replace;
    m_request.wReplaceWithLen = sizeof m_replace;
    m_dialog = m_mode == Find ? FindTextW(&m_request) : ReplaceTextW(&m_request);
    AddModelessDialog(m_dialog);
}

bool FindDialog::handle(UINT message, LPARAM l)
{
    if (message == kFocusBack && l == reinterpret_cast<LPARAM>(this)) {
        SetActiveWindow(m_owner);
        SetFocus(m_edit);
        return true;
    }
    if (message != findMessage() || reinterpret_cast<FINDREPLACEW*>(l) != &m_request)
        return false;
    if (m_request.Flags & FR_DIALOGTERM) {
        RemoveModelessDialog(m_dialog);
        m_dialog = nullptr;
        // The text takes the keys again once the dialog is gone.
        PostMessageW(m_owner, kFocusBack, 0, reinterpret_cast<LPARAM>(this));
    } else if (m_request.Flags & FR_REPLACEALL) {
        replace(true);
    } else if (m_request.Flags & FR_REPLACE) {
        replace(false);
    } else if (m_request.Flags & FR_FINDNEXT) {
        findNext();
    }
    return true;
}

bool FindDialog::findNext()
{
    if (m_find[0] == L'\0')
        return false;
    CHARRANGE selection{};
    SendMessageW(m_edit, EM_EXGETSEL, 0, LPARAM(&selection));
    FINDTEXTEXW request{};
    request.chrg = CHARRANGE{selection.cpMax, -1};
    request.lpstrText = m_find;
    const DWORD flags = FR_DOWN;
    if (SendMessageW(m_edit, EM_FINDTEXTEXW, flags, LPARAM(&request)) < 0) {
        ReportMessage("Found", "nothing");
        MessageBeep(MB_OK);
        return false;
    }
    SendMessageW(m_edit, EM_EXSETSEL, 0, LPARAM(&request.chrgText));
    SendMessageW(m_edit, EM_SCROLLCARET, 0, 0);
    ReportMessage("Found", Utf8(m_find) + " at " + std::to_string(request.chrgText.cpMin));
    return true;
}

void FindDialog::replace(bool all)
{
    // The found text is the selection: it is replaced, then the next is found.
    const auto selectionIsFound = [this] {
        CHARRANGE selection{};
        SendMessageW(m_edit, EM_EXGETSEL, 0, LPARAM(&selection));
        const std::size_t length = std::wcslen(m_find);
        if (std::size_t(selection.cpMax - selection.cpMin) != length || length == 0)
            return false;
        std::wstring selected(length + 1, L'\0');
        SendMessageW(m_edit, EM_GETSELTEXT, 0, LPARAM(selected.data()));
        selected.resize(length);
        return _wcsicmp(selected.c_str(), m_find) == 0;
    };
    if (!all) {
        if (selectionIsFound())
            SendMessageW(m_edit, EM_REPLACESEL, TRUE, LPARAM(m_replace));
        findNext();
        return;
    }
    // From the caret on (from the start of a selection there), as the reader placed it.
    CHARRANGE start{};
    SendMessageW(m_edit, EM_EXGETSEL, 0, LPARAM(&start));
    start.cpMax = start.cpMin;
    SendMessageW(m_edit, EM_EXSETSEL, 0, LPARAM(&start));
    while (findNext())
        SendMessageW(m_edit, EM_REPLACESEL, TRUE, LPARAM(m_replace));
}

} // namespace winreader
