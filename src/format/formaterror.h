// The errors of the format library: a damaged file or block, with the text the reader is shown.
#pragma once

#include <stdexcept>
#include <string>

namespace bookformat {

class FormatError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// A number or colour that does not read: "'<text>' is not a valid integer value".
class ConvertError : public FormatError
{
public:
    explicit ConvertError(const std::string& text)
        : FormatError("'" + text + "' is not a valid integer value"), m_text(text)
    {}
    const std::string& text() const { return m_text; }

private:
    std::string m_text;
};

} // namespace bookformat
