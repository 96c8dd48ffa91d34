// What a reader's click on a HyperText phrase does, and what a book's opening or closing command
// does: one decision for every runtime, which then only shows, plays or starts what it is told.
// Texts are UTF-8.
#pragma once

#include "format/records/storedcodes.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace bookformat {

enum class LinkActionKind
{
    Nothing,    // an empty entry, or a type that does nothing here
    PopupText,  // type 1: the entry's text in a pop-up window
    TextScreen, // type 5: the entry's picture-and-text screen
    Show,       // pictures, voice, video, MIDI: the show of the value
    Program,    // an executable or Windows program: found, asked about, started
    Page,       // a page of the book, opened by the system's viewer
    WebAddress, // an address on the network: opened by the browser once the reader allows it
    Notepad,    // the notepad with the file (or empty)
    Refused,    // a name outside the book's folder: the message is shown, nothing opens
};

struct LinkAction
{
    LinkActionKind kind = LinkActionKind::Nothing;
    HyperTextType type = HyperTextType::None;
    std::string caption; // the window's caption: the phrase, or the book's title for a command
    std::string value;   // the command value
    std::string message; // Refused: the error; WebAddress: the question asked first
};

// Tells whether a name the book stores is a file of its folder. IsBareFileName by default; a
// runtime with a file system to ask also refuses links that lead out of the folder.
using BookFileCheck = std::function<bool(std::string_view name)>;

// The action of a command value of a simple type. `owner` names who stores the value, for the
// message when a name leaves the book's folder ("The opening command").
LinkAction DecideCommand(HyperTextType type, std::string_view caption, std::string_view value,
                         std::string_view owner, const BookFileCheck& isBookFile = {});

// The action of a click on a phrase whose entry is `lines`, as the section file gives it.
LinkAction DecideClick(const std::vector<std::string>& lines, const BookFileCheck& isBookFile = {});

// What a reader is told when a page of the book is not there, and when the system could not open
// a page or address: "The file X is missing", "The file X could not be opened."
std::string FileMissingMessage(std::string_view name);
std::string NotOpenedMessage(std::string_view name);

// The notepad window's caption while it holds the file `name`.
std::string NotepadCaption(std::string_view name);

// What a reader is told of a click on a phrase for which the book holds no entry.
std::string NotHyperTextMessage(std::string_view phrase);

// The questions asked before a book leaves its pages.
std::string WebAddressQuestion(std::string_view address);
// Arguments holding a blank, or empty, are shown in double quotes.
std::string ProgramQuestion(std::string_view program, const std::vector<std::string>& arguments);

} // namespace bookformat
