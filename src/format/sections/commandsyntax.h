// The command values of shows and programs: what a HyperText entry's "command=" line, an opening
// or closing command and a link's value name. Texts are UTF-8.
#pragma once

#include "format/records/storedcodes.h"

#include <string>
#include <string_view>
#include <vector>

namespace bookformat {

// A show's command: up to six elements separated by ",", each recognised by what it contains.
struct ShowCommandParts
{
    std::string picture; // .BMP, .JPG or .WMF; a later one replaces an earlier one
    std::string sound;   // .WAV or .MID
    std::string video;   // .AVI
    int delayMs = 0;     // a whole number N of tenths of a second, at most INT_MAX milliseconds
};

// The value is upper-cased first, as the show reads it (ASCII letters: the names are found
// without regard to case anyway).
ShowCommandParts ParseShowCommand(std::string_view value);

// Whether a web-page value is an address on the network: only a text that names its scheme
// ("https://...", "mailto:..."); everything else, PAGE.HTM included, is a file of the book.
bool IsWebAddress(std::string_view value);

// The words of a command line as a shell splits them: blanks separate words, double quotes
// group them, and three double quotes in a row stand for one.
std::vector<std::string> SplitCommandLine(std::string_view line);

// The program and its arguments. Executable program: "program" or "program,parameters", the
// parameters split as a shell splits them. Windows program: "program document", the document
// handed over as one argument in the book's folder (`bookDir`, empty or ending with its
// separator), whatever blanks the folder's name holds.
std::vector<std::string> ProgramArguments(HyperTextType mode, std::string_view value,
                                          std::string_view bookDir);

} // namespace bookformat
