// The system's Find (and Find and Replace) dialog over a rich-text control: modeless, its keys
// given to it by the modal loop, searching down from the selection.
#pragma once

// clang-format off
#include <windows.h>
#include <commdlg.h>
// clang-format on

namespace winreader {

class FindDialog
{
public:
    enum Mode
    {
        Find,
        FindAndReplace
    };
    FindDialog(HWND owner, HWND edit, Mode mode);
    ~FindDialog();
    FindDialog(const FindDialog&) = delete;
    FindDialog& operator=(const FindDialog&) = delete;

    // Opens the dialog, or brings it forward; a selection of 1 to 29 characters is its text.
    void open();
    // Handles the dialog's message to its owner; true when `message` was it.
    bool handle(UINT message, LPARAM l);

private:
    bool findNext();
    void replace(bool all);

    HWND m_owner;
    HWND m_edit;
    Mode m_mode;
    HWND m_dialog = nullptr;
    FINDREPLACEW m_request{};
    wchar_t m_find[256] = {};
    wchar_t m_replace[256] = {};
};

} // namespace winreader
