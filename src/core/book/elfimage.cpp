// Reading just enough of the ELF headers to find where the image ends.
#include "core/book/elfimage.h"

#include "core/files/binaryreader.h"

#include <algorithm>
#include <cstring>
#include <elf.h>

qint64 ElfImageEnd(const QByteArray& file)
{
    const BinaryReader reader(file);
    const std::optional<Elf64_Ehdr> read = reader.at<Elf64_Ehdr>(0);
    if (!read)
        return -1;
    const Elf64_Ehdr& header = *read;
    if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 ||
        header.e_ident[EI_CLASS] != ELFCLASS64 || header.e_ident[EI_DATA] != ELFDATA2LSB)
        return -1;
    qint64 end = qint64(header.e_ehsize);
    end =
        std::max<qint64>(end, qint64(header.e_phoff) + qint64(header.e_phnum) * header.e_phentsize);
    end =
        std::max<qint64>(end, qint64(header.e_shoff) + qint64(header.e_shnum) * header.e_shentsize);
    for (int i = 0; i < header.e_phnum; ++i) {
        const auto segment =
            reader.at<Elf64_Phdr>(qint64(header.e_phoff) + qint64(i) * header.e_phentsize);
        if (!segment)
            return -1;
        end = std::max<qint64>(end, qint64(segment->p_offset) + qint64(segment->p_filesz));
    }
    for (int i = 0; i < header.e_shnum; ++i) {
        const auto section =
            reader.at<Elf64_Shdr>(qint64(header.e_shoff) + qint64(i) * header.e_shentsize);
        if (!section)
            return -1;
        if (section->sh_type != SHT_NOBITS)
            end = std::max<qint64>(end, qint64(section->sh_offset) + qint64(section->sh_size));
    }
    return end <= file.size() ? end : -1;
}
