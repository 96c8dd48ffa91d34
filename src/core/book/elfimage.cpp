// Reading just enough of the ELF headers to find where the image ends.
#include "core/book/elfimage.h"

#include <elf.h>

#include <algorithm>
#include <cstring>

namespace {

template <class T>
bool readAt(const QByteArray& file, qint64 at, T& value)
{
    if (at < 0 || at + qint64(sizeof(T)) > file.size())
        return false;
    std::memcpy(&value, file.constData() + at, sizeof value);
    return true;
}

} // namespace

qint64 ElfImageEnd(const QByteArray& file)
{
    Elf64_Ehdr header;
    if (!readAt(file, 0, header) || std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 ||
        header.e_ident[EI_CLASS] != ELFCLASS64 || header.e_ident[EI_DATA] != ELFDATA2LSB)
        return -1;
    qint64 end = qint64(header.e_ehsize);
    end = std::max<qint64>(end, qint64(header.e_phoff) + qint64(header.e_phnum) * header.e_phentsize);
    end = std::max<qint64>(end, qint64(header.e_shoff) + qint64(header.e_shnum) * header.e_shentsize);
    for (int i = 0; i < header.e_phnum; ++i) {
        Elf64_Phdr segment;
        if (!readAt(file, qint64(header.e_phoff) + qint64(i) * header.e_phentsize, segment))
            return -1;
        end = std::max<qint64>(end, qint64(segment.p_offset) + qint64(segment.p_filesz));
    }
    for (int i = 0; i < header.e_shnum; ++i) {
        Elf64_Shdr section;
        if (!readAt(file, qint64(header.e_shoff) + qint64(i) * header.e_shentsize, section))
            return -1;
        if (section.sh_type != SHT_NOBITS)
            end = std::max<qint64>(end, qint64(section.sh_offset) + qint64(section.sh_size));
    }
    return end <= file.size() ? end : -1;
}
