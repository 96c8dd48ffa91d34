#include "winreader/notepad.h"

#include "format/reader/linkaction.h"
#include "format/text/plaintext.h"
#include "winreader/files.h"
#include "winreader/finddialog.h"
#include "winreader/messages.h"
#include "winreader/modal.h"
#include "winreader/printing.h"
#include "winreader/readerscreen.h"
#include "winreader/wintext.h"

#include <commdlg.h>
#include <richedit.h>
#include <vector>

namespace winreader {

namespace {

enum NotepadCommand : int
{
    kNew = 400,
    kOpen,
    kSave,
    kSaveAs,
    kPrint,
    kPrintSetup,
    kExit,
    kCut,
    kCopy,
    kPaste,
    kFind,
    kReplace,
};

// Files larger than this are refused: the notepad is for notes.
constexpr LONGLONG kLargestFile = 64LL << 20;

std::wstring baseName(const std::wstring& path)
{
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

HACCEL shortcuts()
{
    static const HACCEL table = [] {
        ACCEL keys[] = {{FVIRTKEY | FCONTROL, 'N', kNew},
                        {FVIRTKEY | FCONTROL, 'O', kOpen},
                        {FVIRTKEY | FCONTROL, 'S', kSave},
                        {FVIRTKEY | FCONTROL, 'P', kPrint}};
        return CreateAcceleratorTableW(keys, 4);
    }();
    return table;
}

class Notepad : public ReaderScreen
{
public:
    Notepad(const std::string& file, HWND owner)
        : ReaderScreen(L"KestrinNotepad", "", owner, true), m_file(Wide(file)), m_saveName(m_file),
          m_edit(createEdit()), m_find(handle(), m_edit, FindDialog::Find),
          m_replace(handle(), m_edit, FindDialog::FindAndReplace)
    {
        buildMenu();
        if (!m_file.empty() && GetFileAttributesW(m_file.c_str()) != INVALID_FILE_ATTRIBUTES)
            load(m_file);
        setCaption(m_file);
    }
    ~Notepad() override { SetAccelerators(nullptr, nullptr); }

protected:
    RECT placement() const override
    {
        const int left = (GetSystemMetrics(SM_CXSCREEN) - 435) / 2;
        const int top = (GetSystemMetrics(SM_CYSCREEN) - 300) / 2;
        return RECT{left, top, left + 435, top + 300};
    }
    void layOut() override
    {
        const RECT client = area();
        MoveWindow(m_edit, 0, 0, client.right, client.bottom, TRUE);
        SetAccelerators(handle(), shortcuts());
        SetFocus(m_edit);
    }
    void command(int id, int) override;
    LRESULT other(UINT message, WPARAM w, LPARAM l) override
    {
        if (m_find.handle(message, l) || m_replace.handle(message, l))
            return 0;
        if (message == WM_INITMENUPOPUP) {
            updateEditMenu();
            return 0;
        }
        return ReaderScreen::other(message, w, l);
    }

private:
    HWND createEdit()
    {
        static const HMODULE library = LoadLibraryW(L"Msftedit.dll");
        (void)library;
        HWND edit =
            CreateWindowExW(WS_EX_CLIENTEDGE, MSFTEDIT_CLASS, L"",
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                                ES_NOHIDESEL | ES_WANTRETURN,
                            0, 0, 0, 0, handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
        SendMessageW(edit, EM_SETTEXTMODE, TM_PLAINTEXT, 0);
        SendMessageW(edit, EM_EXLIMITTEXT, 0, LPARAM(kLargestFile));
        SendMessageW(edit, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
        return edit;
    }

    void buildMenu()
    {
        addSubMenu("&File", {{kNew, "&New\tCtrl+N"},
                             {kOpen, "&Open\tCtrl+O"},
                             {0, ""},
                             {kSave, "&Save\tCtrl+S"},
                             {kSaveAs, "Save &As..."},
                             {0, ""},
                             {kPrint, "&Print\tCtrl+P"},
                             {kPrintSetup, "Prin&t Setup..."},
                             {0, ""},
                             {kExit, "E&xit"}});
        addSubMenu("&Edit", {{kCut, "Cu&t\tCtrl+X"},
                             {kCopy, "&Copy\tCtrl+C"},
                             {kPaste, "&Paste\tCtrl+V"},
                             {0, ""},
                             {kFind, "&Find..."},
                             {kReplace, "R&eplace..."}});
    }

    void updateEditMenu()
    {
        CHARRANGE selection{};
        SendMessageW(m_edit, EM_EXGETSEL, 0, LPARAM(&selection));
        const UINT selected = selection.cpMax > selection.cpMin ? MF_ENABLED : MF_GRAYED;
        HMENU menu = GetMenu(handle());
        EnableMenuItem(menu, kCut, selected);
        EnableMenuItem(menu, kCopy, selected);
        EnableMenuItem(menu, kPaste,
                       IsClipboardFormatAvailable(CF_UNICODETEXT) ? MF_ENABLED : MF_GRAYED);
    }

    void setCaption(const std::wstring& name)
    {
        SetWindowTextW(handle(), Wide(bookformat::NotepadCaption(Utf8(name))).c_str());
    }

    bool modified() const { return SendMessageW(m_edit, EM_GETMODIFY, 0, 0) != 0; }

    // False after the message when the file cannot be read: the text and its name stay.
    bool load(const std::wstring& name)
    {
        std::string bytes;
        if (!ReadWholeFile(name, kLargestFile, bytes)) {
            ShowError("Cannot open file " + Utf8(name), handle());
            return false;
        }
        const std::wstring text = Wide(bookformat::DecodePlainText(bytes, m_utf8));
        SetWindowTextW(m_edit, text.c_str());
        SendMessageW(m_edit, EM_SETMODIFY, FALSE, 0);
        return true;
    }

    bool write(const std::wstring& name)
    {
        GETTEXTLENGTHEX length{GTL_NUMCHARS, 1200};
        std::wstring text(
            std::size_t(SendMessageW(m_edit, EM_GETTEXTLENGTHEX, WPARAM(&length), 0)) + 1, L'\0');
        GETTEXTEX get{DWORD(text.size() * sizeof(wchar_t)), GT_DEFAULT, 1200, nullptr, nullptr};
        text.resize(
            std::size_t(SendMessageW(m_edit, EM_GETTEXTEX, WPARAM(&get), LPARAM(text.data()))));
        switch (WriteWholeFile(name, bookformat::PlainTextFileBytes(Utf8(text), m_utf8))) {
        case WriteOutcome::Written:
            break;
        case WriteOutcome::ReadOnly:
            ShowError("File access denied: " + Utf8(baseName(name)), handle());
            return false;
        case WriteOutcome::Failed:
            ShowError("Cannot create file " + Utf8(name), handle());
            return false;
        }
        SendMessageW(m_edit, EM_SETMODIFY, FALSE, 0);
        return true;
    }

    // Whether the text may be left: saved, or given up, as the reader answers.
    bool savePrompt()
    {
        if (!modified())
            return true;
        switch (AskYesNoCancel("File " + Utf8(baseName(m_file)) + " has changed. Save Now?",
                               handle())) {
        case IDYES:
            save();
            return !modified(); // a cancelled save dialog or a failed save keeps the text
        case IDNO:
            return true;
        default:
            return false;
        }
    }

    std::wstring pickFile(bool saving)
    {
        std::vector<wchar_t> name(MAX_PATH * 4, L'\0');
        if (saving)
            m_saveName.copy(name.data(), std::min(m_saveName.size(), name.size() - 1));
        OPENFILENAMEW dialog{};
        dialog.lStructSize = sizeof dialog;
        dialog.hwndOwner = handle();
        dialog.lpstrFilter = L"Text Files\0*.TXT\0All Files\0*.*\0";
        dialog.lpstrFile = name.data();
        dialog.nMaxFile = DWORD(name.size());
        dialog.lpstrDefExt = L"TXT";
        dialog.lpstrTitle = saving ? L"Save Text File" : L"Open Text File";
        // The book finds its pictures, sounds and help in the current folder: it stays.
        dialog.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                       (saving ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST : OFN_FILEMUSTEXIST);
        const BOOL picked = saving ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
        return picked ? std::wstring(name.data()) : std::wstring();
    }

    void save()
    {
        if (m_file.empty())
            saveAs();
        else
            write(m_file);
    }

    void saveAs()
    {
        const std::wstring picked = pickFile(true);
        if (picked.empty() || !write(picked))
            return;
        m_file = picked;
        m_saveName = picked;
        setCaption(baseName(picked));
    }

    std::wstring m_file;
    std::wstring m_saveName;
    bool m_utf8 = false;
    HWND m_edit;
    FindDialog m_find;
    FindDialog m_replace;
};

void Notepad::command(int id, int)
{
    switch (id) {
    case kNew:
        if (savePrompt()) {
            SetWindowTextW(m_edit, L"");
            SendMessageW(m_edit, EM_SETMODIFY, FALSE, 0);
            m_file.clear();
            setCaption(L"Untitled");
        }
        break;
    case kOpen:
        if (savePrompt()) {
            const std::wstring picked = pickFile(false);
            if (!picked.empty() && load(picked)) {
                m_file = picked;
                setCaption(baseName(picked));
            }
        }
        break;
    case kSave:
        save();
        break;
    case kSaveAs:
        saveAs();
        break;
    case kPrint:
        PrintLines(m_edit, Utf8(baseName(m_file)), handle());
        break;
    case kPrintSetup:
        PrinterSetup(handle());
        break;
    case kCut:
        SendMessageW(m_edit, WM_CUT, 0, 0);
        break;
    case kCopy:
        SendMessageW(m_edit, WM_COPY, 0, 0);
        break;
    case kPaste:
        SendMessageW(m_edit, EM_PASTESPECIAL, CF_UNICODETEXT, 0);
        break;
    case kFind:
        m_find.open();
        break;
    case kReplace:
        m_replace.open();
        break;
    case kExit:
    case IDCANCEL:
        if (savePrompt())
            close();
        break;
    default:
        break;
    }
}

} // namespace

void OpenNotepad(const std::string& file, HWND owner)
{
    Notepad notepad(file, owner);
    notepad.run();
}

} // namespace winreader
