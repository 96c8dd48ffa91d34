#include "winreader/bookhelp.h"

#include "winreader/files.h"
#include "winreader/messages.h"
#include "winreader/screenreport.h"
#include "winreader/wintext.h"

#include <shellapi.h>

namespace winreader {

namespace {

std::wstring temporaryFolder()
{
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    return std::wstring(folder, length);
}

// A file URL of an absolute path: "file:///C:/Books/HELP.HTM", characters outside ASCII letters,
// digits and a few marks percent-encoded.
std::string fileUrl(const std::wstring& path)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string url = "file:///";
    for (const char c : Utf8(path)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\')
            url += '/';
        else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                 std::string_view("-._~/:").find(c) != std::string_view::npos)
            url += c;
        else
            url += {'%', kHex[byte >> 4], kHex[byte & 15]};
    }
    return url;
}

} // namespace

void ShowBookHelp(const bookformat::ConfigRecord& config, HWND owner)
{
    const std::string name = config.HelpFile.utf8();
    wchar_t full[MAX_PATH * 4] = {};
    std::string page;
    if (GetFullPathNameW(Wide(name).c_str(), MAX_PATH * 4, full, nullptr) == 0 ||
        !ReadWholeFile(full, 64LL << 20, page)) {
        ShowError("The help file " + name + " was not found", owner);
        return;
    }
    // A browser shows the page whatever its file is called once it is an .htm file, in UTF-8 as
    // the help viewer reads it; a second page leads to the topic, which an address of a file
    // opened by Windows cannot name.
    const std::wstring folder = temporaryFolder();
    const std::wstring copy = folder + L"kestrin-help.htm";
    const std::wstring opener = folder + L"kestrin-help-topic.htm";
    const std::string target = fileUrl(copy) + "#" + std::to_string(config.HelpTopic);
    const std::string mark = page.starts_with("\xEF\xBB\xBF") ? "" : "\xEF\xBB\xBF";
    const std::string topicPage =
        "<!DOCTYPE html><meta charset=\"utf-8\"><meta http-equiv=\"refresh\" content=\"0; url=" +
        target + "\"><a href=\"" + target + "\">Help</a>\n";
    if (WriteWholeFile(copy, mark + page) != WriteOutcome::Written ||
        WriteWholeFile(opener, topicPage) != WriteOutcome::Written) {
        ShowError("The help file " + name + " could not be opened.", owner);
        return;
    }
    ReportMessage("Help", target);
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(owner, L"open", opener.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result <= 32)
        ShowError("The help file " + name + " could not be opened.", owner);
}

} // namespace winreader
