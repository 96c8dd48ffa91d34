#include "format/reader/linkaction.h"

#include "format/reader/bookfiles.h"
#include "format/sections/commandsyntax.h"
#include "format/sections/hypertextentry.h"

namespace bookformat {

namespace {

LinkActionKind kindOf(HyperTextType type, std::string_view value)
{
    switch (type) {
    case HyperTextType::TextOnly:
        return LinkActionKind::PopupText;
    case HyperTextType::GraphicAndText:
        return LinkActionKind::TextScreen;
    case HyperTextType::GraphicOnly:
    case HyperTextType::VoiceOnly:
    case HyperTextType::GraphicAndSound:
    case HyperTextType::VideoPlayer:
    case HyperTextType::MidiPlayer:
        return LinkActionKind::Show;
    case HyperTextType::ExecutableProgram:
    case HyperTextType::WindowsProgram:
        return LinkActionKind::Program;
    case HyperTextType::HtmlFile:
        return IsWebAddress(value) ? LinkActionKind::WebAddress : LinkActionKind::Page;
    case HyperTextType::NotePad:
        return LinkActionKind::Notepad;
    case HyperTextType::None:
        break;
    }
    return LinkActionKind::Nothing;
}

} // namespace

LinkAction DecideCommand(HyperTextType type, std::string_view caption, std::string_view value,
                         std::string_view owner, const BookFileCheck& isBookFile)
{
    LinkAction action{kindOf(type, value), type, std::string(caption), std::string(value), {}};
    if (action.kind == LinkActionKind::PopupText || action.kind == LinkActionKind::TextScreen)
        action.kind = LinkActionKind::Nothing; // a command value holds no display
    for (const std::string& name : FilesOpenedBy(type, value)) {
        if (!(isBookFile ? isBookFile(name) : IsBareFileName(name))) {
            action.kind = LinkActionKind::Refused;
            action.message = NotABookFileMessage(owner, name);
            return action;
        }
    }
    if (action.kind == LinkActionKind::Page && !IsWebPageName(value)) {
        action.kind = LinkActionKind::Refused;
        action.message = NotAWebPageMessage(owner, value);
    }
    if (action.kind == LinkActionKind::WebAddress)
        action.message = WebAddressQuestion(value);
    return action;
}

LinkAction DecideClick(const std::vector<std::string>& lines, const BookFileCheck& isBookFile)
{
    if (lines.empty())
        return {};
    const std::string phrase = EntryCaption(lines);
    const HyperTextType type = EntryType(lines);
    if (type == HyperTextType::TextOnly || type == HyperTextType::GraphicAndText)
        return {kindOf(type, {}), type, phrase, {}, {}};
    return DecideCommand(type, phrase, EntryCommand(lines),
                         "The HyperText entry \"" + phrase + "\"", isBookFile);
}

std::string FileMissingMessage(std::string_view name)
{
    return "The file " + std::string(name) + " is missing";
}

std::string NotOpenedMessage(std::string_view name)
{
    return "The file " + std::string(name) + " could not be opened.";
}

std::string NotepadCaption(std::string_view name)
{
    return "Current File : " + std::string(name);
}

std::string NotHyperTextMessage(std::string_view phrase)
{
    return '"' + std::string(phrase) + "\" is not HyperText";
}

std::string WebAddressQuestion(std::string_view address)
{
    return "This e-book wants to open the address " + std::string(address) +
           " in the web browser.\n\r\n\rDo you allow it?";
}

std::string ProgramQuestion(std::string_view program, const std::vector<std::string>& arguments)
{
    std::string what(program);
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        what += i == 0 ? " with the arguments " : " ";
        const bool quoted = argument.empty() || argument.find(' ') != argument.npos;
        what += quoted ? '"' + argument + '"' : argument;
    }
    return "This e-book wants to start the program " + what + ".\n\r\n\rDo you allow it?";
}

} // namespace bookformat
