#include "winreader/programs.h"

#include "format/reader/linkaction.h"
#include "format/sections/commandsyntax.h"
#include "winreader/messages.h"
#include "winreader/ownimage.h"
#include "winreader/wintext.h"

#include <set>
#include <vector>

namespace winreader {

namespace {

// The book's folder first, then the system's search path; the name as given when neither has it.
std::wstring findProgram(const std::wstring& program, const std::wstring& bookDir)
{
    const std::wstring inBook = bookDir + program;
    const DWORD attributes = GetFileAttributesW(inBook.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return inBook;
    wchar_t found[MAX_PATH];
    if (SearchPathW(nullptr, program.c_str(), L".exe", MAX_PATH, found, nullptr) > 0)
        return found;
    return program;
}

std::wstring quoted(const std::wstring& argument)
{
    if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos)
        return argument;
    // Backslashes double only before a quote, as the C runtime reads a command line.
    std::wstring out = L"\"";
    std::size_t slashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++slashes;
            continue;
        }
        out.append(c == L'"' ? 2 * slashes + 1 : slashes, L'\\');
        slashes = 0;
        out += c;
    }
    out.append(2 * slashes, L'\\');
    return out + L"\"";
}

// Starts the program in the book's folder and waits until it ends, the book's windows painted
// meanwhile but taking no input.
bool runAndWait(const std::wstring& program, const std::vector<std::wstring>& arguments,
                const std::wstring& folder, HWND owner)
{
    std::wstring line = CommandLine(program, arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process))
        return false;
    CloseHandle(process.hThread);
    const bool enabled = owner && IsWindowEnabled(owner);
    if (enabled)
        EnableWindow(owner, FALSE);
    while (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, INFINITE, QS_ALLINPUT) ==
           WAIT_OBJECT_0 + 1) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    CloseHandle(process.hProcess);
    if (enabled)
        EnableWindow(owner, TRUE);
    return true;
}

} // namespace

std::wstring CommandLine(const std::wstring& program, const std::vector<std::wstring>& arguments)
{
    std::wstring line = quoted(program);
    for (const std::wstring& argument : arguments)
        line += L" " + quoted(argument);
    return line;
}

void RunProgram(bookformat::HyperTextType mode, const std::string& value, HWND owner)
{
    const std::wstring folder = OwnFolder();
    const std::string bookDir = Utf8(folder) + "\\";
    std::vector<std::string> words = bookformat::ProgramArguments(mode, value, bookDir);
    if (words.empty())
        return;
    const std::wstring program = findProgram(Wide(words.front()), Wide(bookDir));
    words.erase(words.begin());
    std::vector<std::wstring> arguments;
    for (const std::string& word : words)
        arguments.push_back(Wide(word));

    // Asked once for each program and arguments while the book is open.
    static std::set<std::wstring> allowed;
    const std::wstring exact = CommandLine(program, arguments);
    if (!allowed.contains(exact)) {
        if (!Confirm(bookformat::ProgramQuestion(Utf8(program), words), owner))
            return;
        allowed.insert(exact);
    }
    if (!runAndWait(program, arguments, folder, owner))
        ShowError("The program " + Utf8(program) + " could not be started.", owner);
}

} // namespace winreader
