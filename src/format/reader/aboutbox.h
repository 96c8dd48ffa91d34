// What the book's About box says: its comment lines joined as the box shows them, and the
// message when its icon is missing. Texts are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace bookformat {

// The four comments, each followed by a blank; an empty comment stands for a paragraph break
// (CR LF CR LF).
template <class About> std::string AboutComments(const About& about)
{
    std::string text;
    for (const std::string& comment : {about.Comment1.utf8(), about.Comment2.utf8(),
                                       about.Comment3.utf8(), about.Comment4.utf8()})
        text += comment.empty() ? std::string("\r\n\r\n") : comment + ' ';
    return text;
}

std::string MissingIconMessage(std::string_view file);

} // namespace bookformat
