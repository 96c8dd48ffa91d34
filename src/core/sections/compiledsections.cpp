// Compiling section files and reading the compiled form.
#include "core/sections/compiledsections.h"

#include "core/files/binaryreader.h"
#include "core/files/filenames.h"
#include "core/files/filestore.h"
#include "core/files/textcodec.h"
#include "core/files/textlines.h"
#include "core/sections/sectionname.h"

#include <QFile>
#include <QFileInfo>

#include <cstring>

namespace {

constexpr qsizetype kHeaderSize = sizeof(CompiledHeader);
constexpr qsizetype kHeaderCut = 60;
constexpr qsizetype kSourceCut = 10;

template <std::size_t N> PString<N> bytesString(QByteArrayView bytes)
{
    PString<N> s{};
    const auto n = std::min<qsizetype>(bytes.size(), qsizetype(N));
    if (n > 0)
        std::memcpy(s.chars, bytes.data(), n);
    s.length = static_cast<std::uint8_t>(n);
    return s;
}

template <std::size_t N> QByteArrayView bytesOf(const PString<N>& s)
{
    return QByteArrayView(s.chars, s.length);
}

// The mark says how the texts are encoded, as the section file was.
constexpr QByteArrayView kWindows1252Mark("KR1");
constexpr QByteArrayView kUtf8Mark("KRU");

// The first `size` bytes of a text, cut between characters when it is UTF-8.
QByteArrayView cut(QByteArrayView text, qsizetype size, bool utf8)
{
    return utf8 ? textcodec::utf8Prefix(text, size) : text.first(std::min(text.size(), size));
}

CompiledHeader makeHeader(std::int32_t count, std::int32_t indexOffset, bool utf8)
{
    CompiledHeader header{};
    header.Magic = bytesString<4>(utf8 ? kUtf8Mark : kWindows1252Mark);
    header.Count = count;
    header.IndexOffset = indexOffset;
    return header;
}

// Builds the output as the section file is read: bodies first, then the index.
class Compiler
{
public:
    QByteArray run(QByteArrayView file)
    {
        const QByteArrayView input = textcodec::withoutMark(file, &m_utf8);
        const CompiledHeader emptyHeader = makeHeader(0, 0, m_utf8);
        m_out = QByteArray(kHeaderSize, '\0');
        std::memcpy(m_out.data(), &emptyHeader, sizeof emptyHeader);
        LineReader reader(input);
        while (!reader.atEnd()) {
            const QByteArrayView line = reader.next();
            const bool header = !line.isEmpty() && line.front() == '[';
            if (!line.isEmpty() && line.front() == ']')
                m_inBody = false;
            if (m_inBody && !header)
                m_body.append(line);
            if (header)
                startSection(line, reader.next());
        }
        finishSection();
        if (!m_records.isEmpty())
            writeIndex();
        return m_out;
    }

private:
    void startSection(QByteArrayView header, QByteArrayView sourceLine)
    {
        const QByteArrayView source = sourceLine.size() > 7
                                          ? cut(sourceLine.sliced(7), kSourceCut, m_utf8)
                                          : QByteArrayView();
        finishSection();
        m_body = {header, source};
        m_inBody = true;
        m_open = SectionIndexEntry{};
        m_open.Header = bytesString<60>(cut(header, kHeaderCut, m_utf8));
        m_open.Source = bytesString<10>(source);
        m_open.Offset = std::int32_t(m_out.size());
        m_sectionOpen = true;
    }

    void finishSection()
    {
        if (!m_sectionOpen)
            return;
        for (QByteArrayView line : std::as_const(m_body))
            AppendLine(m_out, line);
        m_open.Size = std::int32_t(m_out.size() - m_open.Offset);
        m_records.append(m_open);
        m_sectionOpen = false;
    }

    void writeIndex()
    {
        const CompiledHeader header =
            makeHeader(std::int32_t(m_records.size()), std::int32_t(m_out.size()), m_utf8);
        for (const SectionIndexEntry& record : std::as_const(m_records))
            m_out.append(reinterpret_cast<const char*>(&record), sizeof record);
        std::memcpy(m_out.data(), &header, sizeof header);
    }

    bool m_utf8 = false;
    QByteArray m_out;
    QList<QByteArrayView> m_body;
    QList<SectionIndexEntry> m_records;
    SectionIndexEntry m_open{};
    bool m_inBody = true;
    bool m_sectionOpen = false;
};

} // namespace

QByteArray CompileSections(const QByteArray& sectionFile)
{
    return Compiler().run(sectionFile);
}

bool CompileSectionFile(const QString& file, const QString& extension)
{
    if (!filestore::exists(file))
        return false;
    const QByteArray compiled = CompileSections(filestore::readAll(file));
    filestore::writeAll(BaseName(file) + QLatin1Char('.') + extension, compiled);
    return true;
}

CompiledSections CompiledSections::fromBytes(const QByteArray& block, IndexCheck check)
{
    CompiledSections sections;
    sections.m_owned = block;
    sections.m_data = sections.m_owned;
    sections.open(check);
    return sections;
}

CompiledSections CompiledSections::fromFile(const QString& path, qint64 offset, qint64 size)
{
    CompiledSections sections;
    sections.m_file = std::make_shared<QFile>(path);
    errno = 0;
    if (!sections.m_file->open(QIODevice::ReadOnly))
        throw filestore::errorFromErrno(path);
    if (offset < 0 || size < 0 || offset + size > sections.m_file->size())
        throw CompiledBlockError(QStringLiteral("the block lies outside the file"));
    if (size > 0) {
        const uchar* mapped = sections.m_file->map(offset, size);
        if (!mapped)
            throw filestore::errorFromErrno(path);
        sections.m_data = QByteArrayView(reinterpret_cast<const char*>(mapped), size);
    }
    sections.open(IndexCheck::AtOpen);
    return sections;
}

void CompiledSections::open(IndexCheck check)
{
    const BinaryReader reader(m_data);
    const std::optional<CompiledHeader> read = reader.at<CompiledHeader>(0);
    if (!read)
        throw CompiledBlockError(QStringLiteral("the block is too short"));
    const CompiledHeader& header = *read;
    m_utf8 = bytesOf(header.Magic) == kUtf8Mark;
    if (!m_utf8 && bytesOf(header.Magic) != kWindows1252Mark)
        throw CompiledBlockError(QStringLiteral("the block does not start with its mark"));
    const qint64 count = header.Count;
    const qint64 indexOffset = header.IndexOffset;
    if (count == 0)
        return;
    if (count < 0 || indexOffset < kHeaderSize ||
        indexOffset + count * qint64(sizeof(SectionIndexEntry)) > m_data.size())
        throw CompiledBlockError(QStringLiteral("its index lies outside the block"));
    if (indexOffset + count * qint64(sizeof(SectionIndexEntry)) != m_data.size())
        throw CompiledBlockError(QStringLiteral("its count does not agree with its index"));
    m_count = int(count);
    m_indexOffset = indexOffset;
    if (check == IndexCheck::AtOpen) {
        for (int i = 0; i < m_count; ++i)
            entry(i);
    }
}

SectionIndexEntry CompiledSections::entry(int index) const
{
    if (index < 0 || index >= m_count)
        throw CompiledBlockError(QStringLiteral("there is no section %1").arg(index + 1));
    SectionIndexEntry record;
    std::memcpy(&record, m_data.data() + m_indexOffset + qint64(index) * sizeof record,
                sizeof record);
    if (record.Header.length > 60 || record.Source.length > 10 || record.Offset < kHeaderSize ||
        record.Size < 0 || qint64(record.Offset) + record.Size > m_indexOffset)
        throw CompiledBlockError(
            QStringLiteral("section %1 lies outside the block").arg(index + 1));
    return record;
}

const QHash<QString, int>& CompiledSections::lookup() const
{
    if (!m_lookup) {
        auto table = std::make_shared<QHash<QString, int>>();
        table->reserve(m_count);
        for (int i = 0; i < m_count; ++i) {
            const SectionIndexEntry record = entry(i);
            table->insert(key(bytesOf(record.Header), bytesOf(record.Source)), i); // last wins
        }
        m_lookup = std::move(table);
    }
    return *m_lookup;
}

QString CompiledSections::key(QByteArrayView header, QByteArrayView source) const
{
    return SectionNameKey(textcodec::decodeAs(header, m_utf8)) + QLatin1Char('\n') +
           SectionNameKey(textcodec::decodeAs(source, m_utf8));
}

int CompiledSections::find(const QString& name, const QString& source) const
{
    // A name that the block's encoding cannot hold is no section of it, whatever its "?" match.
    if (!m_utf8 && !(textcodec::fitsWindows1252(name) && textcodec::fitsWindows1252(source)))
        return -1;
    const QByteArray header =
        textcodec::encodeAs(QLatin1Char('[') + name + QLatin1Char(']'), m_utf8);
    const QByteArray wantedSource = textcodec::encodeAs(source, m_utf8);
    return lookup().value(
        key(cut(header, kHeaderCut, m_utf8), cut(wantedSource, kSourceCut, m_utf8)), -1);
}

QByteArrayView CompiledSections::body(int index) const
{
    const SectionIndexEntry record = entry(index);
    return m_data.sliced(record.Offset, record.Size);
}

bool CompiledSections::readEntry(const QString& name, const QString& source,
                                 QStringList& lines) const
{
    const int index = find(name, source);
    if (index < 0)
        return false;
    lines.clear();
    LineReader reader(body(index));
    const QByteArrayView header = reader.next();
    lines << textcodec::decodeAs(
        header.size() >= 2 ? header.sliced(1, header.size() - 2) : QByteArrayView(), m_utf8);
    lines << QStringLiteral("source=") + textcodec::decodeAs(reader.next(), m_utf8);
    while (!reader.atEnd())
        lines << textcodec::decodeAs(reader.next(), m_utf8);
    lines << QStringLiteral("]");
    return true;
}

QString CompiledSections::headerLine(int index) const
{
    return textcodec::decodeAs(bytesOf(entry(index).Header), m_utf8);
}

QString CompiledSections::source(int index) const
{
    return textcodec::decodeAs(bytesOf(entry(index).Source), m_utf8);
}
