#include "winreader/linkactions.h"

#include "format/reader/linkaction.h"
#include "format/sections/displaylines.h"
#include "winreader/files.h"
#include "winreader/messages.h"
#include "winreader/notepad.h"
#include "winreader/popups.h"
#include "winreader/programs.h"
#include "winreader/screenreport.h"
#include "winreader/shows.h"
#include "winreader/wintext.h"

#include <shellapi.h>

namespace winreader {

namespace {

// A page or an address, opened by the program Windows opens it with.
void openDocument(const std::string& value, HWND owner)
{
    ReportMessage("Open", value);
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(owner, L"open", Wide(value).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result == ERROR_FILE_NOT_FOUND)
        ShowError(bookformat::FileMissingMessage(value), owner);
    else if (result <= 32)
        ShowError(bookformat::NotOpenedMessage(value), owner);
}

void act(const bookformat::LinkAction& action, const std::string& mediaPrompt, HWND owner)
{
    using Kind = bookformat::LinkActionKind;
    switch (action.kind) {
    case Kind::Show:
        ShowCommand(action.caption, action.value, mediaPrompt, owner);
        break;
    case Kind::Program:
        RunProgram(action.type, action.value, owner);
        break;
    case Kind::WebAddress:
        if (Confirm(action.message, owner))
            openDocument(action.value, owner);
        break;
    case Kind::Page:
        openDocument(action.value, owner);
        break;
    case Kind::Notepad:
        OpenNotepad(action.value, owner);
        break;
    case Kind::Refused:
        ShowError(action.message, owner);
        break;
    case Kind::PopupText:
    case Kind::TextScreen:
    case Kind::Nothing:
        break;
    }
}

std::string mediaPromptOf(const bookformat::CompiledBook& book)
{
    return book.project().Presentation.Captions.MediaPrompt.utf8();
}

void showEntry(const bookformat::CompiledBook& book, const std::vector<std::string>& lines,
               HWND owner)
{
    const bookformat::LinkAction action = bookformat::DecideClick(lines, IsBookFileOnDisk);
    if (action.kind != bookformat::LinkActionKind::PopupText &&
        action.kind != bookformat::LinkActionKind::TextScreen) {
        act(action, mediaPromptOf(book), owner);
        return;
    }
    bookformat::DisplayRecord display = bookformat::DefaultDisplayOf<bookformat::PString>();
    std::vector<std::string> text;
    bookformat::ParseDisplayEntry(lines, display, text);
    if (action.kind == bookformat::LinkActionKind::PopupText)
        ShowTextPopup(display, bookformat::RtfFromLines(text), action.caption, owner);
    else
        ShowTextScreen(display, bookformat::RtfFromLines(text), action.caption, owner);
}

} // namespace

void OpenPhrase(const bookformat::CompiledBook& book, const std::string& phrase, HWND owner)
{
    try {
        const auto entry = bookformat::HyperEntry(book, phrase);
        if (!entry) {
            ShowInformation(bookformat::NotHyperTextMessage(phrase), owner);
            return;
        }
        showEntry(book, *entry, owner);
    } catch (const bookformat::FormatError& error) {
        ShowError(error.what(), owner);
    }
}

void RunBookCommand(const bookformat::CompiledBook& book, const bookformat::CommandRecord& command,
                    const std::string& owner, HWND window)
{
    const bookformat::HyperTextType type = bookformat::ToHyperTextType(command.CommandType);
    if (bookformat::IsCommandType(type))
        act(bookformat::DecideCommand(type, book.project().Config.BookTitle.utf8(),
                                      command.Command.utf8(), owner, IsBookFileOnDisk),
            mediaPromptOf(book), window);
}

} // namespace winreader
