// Reading just enough of the ELF headers to find where the image ends and what it needs loaded.
#include "core/book/elfimage.h"

#include "core/files/binaryreader.h"
#include "format/book/imageend.h"

#include <algorithm>
#include <cstring>
#include <elf.h>

namespace {

std::optional<Elf64_Ehdr> elfHeader(const BinaryReader& reader)
{
    const std::optional<Elf64_Ehdr> header = reader.at<Elf64_Ehdr>(0);
    if (!header || std::memcmp(header->e_ident, ELFMAG, SELFMAG) != 0 ||
        header->e_ident[EI_CLASS] != ELFCLASS64 || header->e_ident[EI_DATA] != ELFDATA2LSB)
        return std::nullopt;
    return header;
}

std::optional<QList<Elf64_Phdr>> segments(const BinaryReader& reader, const Elf64_Ehdr& header)
{
    QList<Elf64_Phdr> list;
    for (int i = 0; i < header.e_phnum; ++i) {
        const auto segment =
            reader.at<Elf64_Phdr>(qint64(header.e_phoff) + qint64(i) * header.e_phentsize);
        if (!segment)
            return std::nullopt;
        list << *segment;
    }
    return list;
}

// The file offset of a loaded address, through the segment that loads it.
std::optional<qint64> fileOffset(const QList<Elf64_Phdr>& segments, quint64 address)
{
    for (const Elf64_Phdr& segment : segments) {
        if (segment.p_type == PT_LOAD && address >= segment.p_vaddr &&
            address - segment.p_vaddr < segment.p_filesz)
            return qint64(segment.p_offset + (address - segment.p_vaddr));
    }
    return std::nullopt;
}

// The zero-ended string at `offset` of the string table; nothing when it runs off the file.
std::optional<QString> tableString(const QByteArray& file, qint64 table, quint64 offset)
{
    if (table < 0 || table >= file.size() || offset >= quint64(file.size() - table))
        return std::nullopt;
    const qint64 start = table + qint64(offset);
    const qint64 end = file.indexOf('\0', start);
    if (end < 0)
        return std::nullopt;
    return QString::fromUtf8(file.constData() + start, end - start);
}

} // namespace

qint64 ElfImageEnd(const QByteArray& file)
{
    const auto end =
        bookformat::ElfImageEnd(std::string_view(file.constData(), std::size_t(file.size())));
    return end ? qint64(*end) : -1;
}

std::optional<ElfDynamic> ReadElfDynamic(const QByteArray& file)
{
    const BinaryReader reader(file);
    const std::optional<Elf64_Ehdr> header = elfHeader(reader);
    if (!header)
        return std::nullopt;
    const std::optional<QList<Elf64_Phdr>> loaded = segments(reader, *header);
    if (!loaded)
        return std::nullopt;
    const auto dynamic = std::find_if(loaded->begin(), loaded->end(),
                                      [](const Elf64_Phdr& s) { return s.p_type == PT_DYNAMIC; });
    ElfDynamic result;
    if (dynamic == loaded->end())
        return result;
    const auto entries = reader.array<Elf64_Dyn>(
        qint64(dynamic->p_offset), qint64(dynamic->p_filesz) / qint64(sizeof(Elf64_Dyn)));
    if (!entries)
        return std::nullopt;
    std::optional<qint64> strings;
    for (const Elf64_Dyn& entry : *entries) {
        if (entry.d_tag == DT_STRTAB)
            strings = fileOffset(*loaded, entry.d_un.d_ptr);
    }
    if (!strings)
        return std::nullopt;
    for (qsizetype i = 0; i < entries->size(); ++i) {
        const Elf64_Dyn& entry = entries->at(i);
        if (entry.d_tag == DT_NULL)
            break;
        if (entry.d_tag != DT_NEEDED && entry.d_tag != DT_RPATH && entry.d_tag != DT_RUNPATH)
            continue;
        const std::optional<QString> text = tableString(file, *strings, entry.d_un.d_val);
        if (!text)
            return std::nullopt;
        if (entry.d_tag == DT_NEEDED) {
            result.needed << *text;
        } else if (entry.d_tag == DT_RPATH) {
            result.rpath = text->split(QLatin1Char(':'), Qt::SkipEmptyParts);
        } else {
            result.runpath = text->split(QLatin1Char(':'), Qt::SkipEmptyParts);
            result.runpathTag = qint64(dynamic->p_offset) + i * qint64(sizeof(Elf64_Dyn));
        }
    }
    return result;
}

namespace {

// The section headers and where their names lie; nothing when the file is no such ELF file.
struct SectionTable
{
    QList<Elf64_Shdr> sections;
    qint64 names = 0;
};

std::optional<SectionTable> sectionTable(const QByteArray& file)
{
    const BinaryReader reader(file);
    const std::optional<Elf64_Ehdr> header = elfHeader(reader);
    if (!header || header->e_shentsize != sizeof(Elf64_Shdr))
        return std::nullopt;
    const auto sections = reader.array<Elf64_Shdr>(qint64(header->e_shoff), header->e_shnum);
    if (!sections || header->e_shstrndx >= sections->size())
        return std::nullopt;
    return SectionTable{*sections, qint64(sections->at(header->e_shstrndx).sh_offset)};
}

} // namespace

QStringList ElfSectionNames(const QByteArray& file)
{
    const std::optional<SectionTable> table = sectionTable(file);
    QStringList list;
    for (const Elf64_Shdr& section : table ? table->sections : QList<Elf64_Shdr>())
        list << tableString(file, table->names, section.sh_name).value_or(QString());
    return list;
}

QByteArray ElfSection(const QByteArray& file, const QString& name)
{
    const std::optional<SectionTable> table = sectionTable(file);
    if (!table)
        return {};
    for (const Elf64_Shdr& section : table->sections) {
        if (section.sh_type == SHT_NOBITS ||
            tableString(file, table->names, section.sh_name) != name)
            continue;
        if (section.sh_offset > quint64(file.size()) ||
            section.sh_size > quint64(file.size()) - section.sh_offset)
            return {};
        return file.mid(qsizetype(section.sh_offset), qsizetype(section.sh_size));
    }
    return {};
}

bool MakeRunpathInherited(QByteArray& file)
{
    const std::optional<ElfDynamic> dynamic = ReadElfDynamic(file);
    if (!dynamic || dynamic->runpathTag < 0)
        return false;
    const Elf64_Sxword tag = DT_RPATH;
    std::memcpy(file.data() + dynamic->runpathTag, &tag, sizeof tag);
    return true;
}
