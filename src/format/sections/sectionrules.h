// The rules of a section file: plain text of bracketed sections, each identified by its name and
// the source on the line after its header, ending at a line "]" and followed by an empty line.
//
//   [Paris]
//   source=HYPER
//   type=1
//   ...
//   ]
//
// Names and sources compare without regard to case by Unicode's case folding; where a name
// occurs twice the last section counts. The functions here work on a file's content after its
// byte-order mark (format/text/textencoding.h says how a file's encoding is told); texts handed in
// and back are UTF-8. Reading and writing the file itself is the caller's.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bookformat {

// The form in which two names that are the same phrase are equal.
std::string SectionNameKey(std::string_view name);

// Compares stored names, as bytes of a file in its encoding, with one wanted name. Names of ASCII
// letters only compare byte by byte; any other is decoded and folded.
class SectionNameMatcher
{
public:
    SectionNameMatcher(std::string_view wanted, bool utf8);

    bool matches(std::string_view stored) const;
    // Whether the header line at `at` of `content` names the wanted section.
    bool namesHeaderAt(std::string_view content, std::size_t at) const;

private:
    std::string m_key;
    std::string m_asciiUpper; // the wanted name upper-cased, when it is all ASCII
    bool m_ascii;
    bool m_utf8;
};

// The last section (name, source): its name, its whole source line, its key and text lines and
// the terminator "]" (fewer when the file ends inside it).
std::optional<std::vector<std::string>> FindSection(std::string_view content, bool utf8,
                                                    std::string_view name, std::string_view source);
// The names of the sections of the source, in file order.
std::vector<std::string> SectionNames(std::string_view content, bool utf8, std::string_view source);
bool HasSection(std::string_view content, bool utf8, std::string_view name,
                std::string_view source);

// The content with every section (name, source) and the empty line after it left out, and
// `replacement` (already in the file's encoding) in place of each.
std::string ReplaceSections(std::string_view content, bool utf8, std::string_view name,
                            std::string_view source, std::string_view replacement);

// The lines in the file's encoding, each followed by CR LF.
std::string EncodeSectionLines(const std::vector<std::string>& lines, bool utf8);
std::string DecodeSectionText(std::string_view bytes, bool utf8);

// Whether every byte is below 0x80.
bool IsAscii(std::string_view bytes);

} // namespace bookformat
