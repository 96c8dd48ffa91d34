#include "format/sections/systemsection.h"

#include "format/text/casefolding.h"

namespace bookformat {

namespace {

constexpr std::string_view kKey = "readers=";

} // namespace

std::string_view ReaderSystemName(ReaderSystem system)
{
    switch (system) {
    case ReaderSystem::Windows:
        return "windows";
    case ReaderSystem::Both:
        return "both";
    case ReaderSystem::Linux:
        break;
    }
    return "linux";
}

std::optional<ReaderSystem> ReaderSystemNamed(std::string_view name)
{
    const std::string upper = AsciiUpper(name);
    for (const ReaderSystem system :
         {ReaderSystem::Linux, ReaderSystem::Windows, ReaderSystem::Both}) {
        if (AsciiUpper(ReaderSystemName(system)) == upper)
            return system;
    }
    return std::nullopt;
}

std::vector<std::string> ReadersSectionLines(ReaderSystem system)
{
    return {"[" + std::string(kReadersName) + "]", "source=" + std::string(kReadersSource),
            std::string(kKey) + std::string(ReaderSystemName(system)), "]", ""};
}

std::optional<ReaderSystem> StoredReaders(const std::vector<std::string>& sectionLines)
{
    for (const std::string& line : sectionLines) {
        if (line.compare(0, kKey.size(), kKey) == 0)
            return ReaderSystemNamed(std::string_view(line).substr(kKey.size()));
    }
    return std::nullopt;
}

} // namespace bookformat
