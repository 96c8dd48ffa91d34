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

} // namespace bookformat
