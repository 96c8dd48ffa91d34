#include "format/reader/aboutbox.h"

namespace bookformat {

std::string MissingIconMessage(std::string_view file)
{
    return "The Icon file " + std::string(file) + " is missing";
}

} // namespace bookformat
