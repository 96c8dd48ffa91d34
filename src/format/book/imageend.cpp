#include "format/book/imageend.h"

#include "format/book/booklayout.h"
#include "format/records/blockreader.h"

#include <algorithm>
#include <cstdint>

namespace bookformat {

namespace {

#pragma pack(push, 1)
struct ElfHeader
{
    unsigned char ident[16];
    std::uint16_t type, machine;
    std::uint32_t version;
    std::uint64_t entry, phoff, shoff;
    std::uint32_t flags;
    std::uint16_t ehsize, phentsize, phnum, shentsize, shnum, shstrndx;
};
struct ElfSegment
{
    std::uint32_t type, flags;
    std::uint64_t offset, vaddr, paddr, filesz, memsz, align;
};
struct ElfSection
{
    std::uint32_t name, type;
    std::uint64_t flags, addr, offset, size;
    std::uint32_t link, info;
    std::uint64_t addralign, entsize;
};
struct CoffHeader
{
    std::uint16_t machine, numberOfSections;
    std::uint32_t timeDateStamp, pointerToSymbolTable, numberOfSymbols;
    std::uint16_t sizeOfOptionalHeader, characteristics;
};
struct PeSection
{
    char name[8];
    std::uint32_t virtualSize, virtualAddress, sizeOfRawData, pointerToRawData;
    std::uint32_t pointerToRelocations, pointerToLinenumbers;
    std::uint16_t numberOfRelocations, numberOfLinenumbers;
    std::uint32_t characteristics;
};
struct DataDirectory
{
    std::uint32_t address, size;
};
#pragma pack(pop)
static_assert(sizeof(ElfHeader) == 64 && sizeof(ElfSegment) == 56 && sizeof(ElfSection) == 64);
static_assert(sizeof(CoffHeader) == 20 && sizeof(PeSection) == 40);

constexpr std::uint32_t kNoBits = 8;         // a section that takes no room in the file
constexpr std::size_t kCertificateTable = 4; // the data directory of a signature
constexpr std::uint16_t kPe32Plus = 0x20B;

// The furthest end of the parts, each checked against the file; nothing when one lies outside.
class ImageExtent
{
public:
    explicit ImageExtent(std::string_view file) : m_size(file.size()) {}

    void add(std::uint64_t offset, std::uint64_t count, std::uint64_t itemSize = 1)
    {
        if (offset > m_size || (itemSize != 0 && count > (m_size - offset) / itemSize))
            m_outside = true;
        else
            m_end = std::max<std::uint64_t>(m_end, offset + count * itemSize);
    }
    std::optional<std::size_t> end() const
    {
        return m_outside ? std::nullopt : std::optional<std::size_t>(std::size_t(m_end));
    }

private:
    std::uint64_t m_size;
    std::uint64_t m_end = 0;
    bool m_outside = false;
};

// A file offset as the reader takes it; beyond its range is outside any file.
std::int64_t at(std::uint64_t offset)
{
    return offset > std::uint64_t(INT64_MAX) ? -1 : std::int64_t(offset);
}

// An unstripped image's symbol table (18-byte records) and the string table after it, which
// begins with its own size; false when that size lies outside the file.
bool addSymbolTables(const BinaryReader& reader, const CoffHeader& coff, ImageExtent& extent)
{
    if (coff.pointerToSymbolTable == 0)
        return true;
    const std::uint64_t strings =
        std::uint64_t(coff.pointerToSymbolTable) + std::uint64_t(coff.numberOfSymbols) * 18;
    const auto size = reader.at<std::uint32_t>(at(strings));
    if (!size)
        return false;
    extent.add(strings, std::max<std::uint32_t>(*size, 4));
    return true;
}

} // namespace

std::optional<std::size_t> ElfImageEnd(std::string_view file)
{
    const BinaryReader reader(file);
    const auto header = reader.at<ElfHeader>(0);
    if (!header ||
        std::string_view(reinterpret_cast<const char*>(header->ident), 4) != "\x7F"
                                                                             "ELF" ||
        header->ident[4] != 2 || header->ident[5] != 1)
        return std::nullopt;
    ImageExtent extent(file);
    extent.add(0, header->ehsize);
    extent.add(header->phoff, header->phnum, header->phentsize);
    extent.add(header->shoff, header->shnum, header->shentsize);
    for (std::uint64_t i = 0; i < header->phnum; ++i) {
        const auto segment = reader.at<ElfSegment>(at(header->phoff + i * header->phentsize));
        if (!segment)
            return std::nullopt;
        extent.add(segment->offset, segment->filesz);
    }
    for (std::uint64_t i = 0; i < header->shnum; ++i) {
        const auto section = reader.at<ElfSection>(at(header->shoff + i * header->shentsize));
        if (!section)
            return std::nullopt;
        if (section->type != kNoBits)
            extent.add(section->offset, section->size);
    }
    return extent.end();
}

std::optional<std::size_t> PeImageEnd(std::string_view file)
{
    const BinaryReader reader(file);
    const auto peOffset = reader.at<std::uint32_t>(0x3C);
    const auto signature = peOffset ? reader.at<std::uint32_t>(*peOffset) : std::nullopt;
    if (file.substr(0, 2) != "MZ" || signature != 0x00004550) // "PE\0\0"
        return std::nullopt;
    const std::uint64_t coffAt = std::uint64_t(*peOffset) + 4;
    const auto coff = reader.at<CoffHeader>(at(coffAt));
    const std::uint64_t optionalAt = coffAt + sizeof(CoffHeader);
    const auto magic = reader.at<std::uint16_t>(at(optionalAt));
    const auto sizeOfHeaders = reader.at<std::uint32_t>(at(optionalAt + 60));
    if (!coff || !magic || !sizeOfHeaders)
        return std::nullopt;
    ImageExtent extent(file);
    extent.add(0, *sizeOfHeaders);
    const std::uint64_t sectionsAt = optionalAt + coff->sizeOfOptionalHeader;
    extent.add(sectionsAt, coff->numberOfSections, sizeof(PeSection));
    for (std::uint64_t i = 0; i < coff->numberOfSections; ++i) {
        const auto section = reader.at<PeSection>(at(sectionsAt + i * sizeof(PeSection)));
        if (!section)
            return std::nullopt;
        if (section->sizeOfRawData != 0)
            extent.add(section->pointerToRawData, section->sizeOfRawData);
    }
    const std::uint64_t directoriesAt = optionalAt + (*magic == kPe32Plus ? 112 : 96);
    const std::uint64_t certificateAt = directoriesAt + kCertificateTable * sizeof(DataDirectory);
    if (certificateAt + sizeof(DataDirectory) <= sectionsAt) {
        const auto certificates = reader.at<DataDirectory>(at(certificateAt));
        if (certificates && certificates->size != 0)
            extent.add(certificates->address, certificates->size);
    }
    if (!addSymbolTables(reader, *coff, extent))
        return std::nullopt;
    return extent.end();
}

std::string_view BookAfterImage(std::string_view file)
{
    std::optional<std::size_t> end = ElfImageEnd(file);
    if (!end)
        end = PeImageEnd(file);
    if (!end)
        throw CompiledBookError("the program file cannot be read");
    if (*end >= file.size())
        throw CompiledBookError("the program holds no book");
    return file.substr(*end);
}

} // namespace bookformat
