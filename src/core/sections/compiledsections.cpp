// Compiling section files and reading the compiled form.
#include "core/sections/compiledsections.h"

#include "core/files/binaryreader.h"
#include "core/files/filenames.h"
#include "core/files/filestore.h"
#include "core/files/textlines.h"

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

CompiledHeader makeHeader(std::int32_t count, std::int32_t indexOffset)
{
    CompiledHeader header{};
    header.Magic = bytesString<4>("KR1");
    header.Count = count;
    header.IndexOffset = indexOffset;
    return header;
}

// Builds the output as the section file is read: bodies first, then the index.
class Compiler
{
public:
    QByteArray run(QByteArrayView input)
    {
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
        const QByteArrayView source =
            sourceLine.size() > 7
                ? sourceLine.sliced(7).first(std::min<qsizetype>(sourceLine.size() - 7, kSourceCut))
                : QByteArrayView();
        finishSection();
        m_body = {header, source};
        m_inBody = true;
        m_open = SectionIndexEntry{};
        m_open.Header = bytesString<60>(header.first(std::min(header.size(), kHeaderCut)));
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
            makeHeader(std::int32_t(m_records.size()), std::int32_t(m_out.size()));
        for (const SectionIndexEntry& record : std::as_const(m_records))
            m_out.append(reinterpret_cast<const char*>(&record), sizeof record);
        std::memcpy(m_out.data(), &header, sizeof header);
    }

    const CompiledHeader emptyHeader = makeHeader(0, 0);
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
    if (bytesOf(header.Magic) != QByteArrayView("KR1"))
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

const QHash<QByteArray, int>& CompiledSections::lookup() const
{
    if (!m_lookup) {
        auto table = std::make_shared<QHash<QByteArray, int>>();
        table->reserve(m_count);
        for (int i = 0; i < m_count; ++i) {
            const SectionIndexEntry record = entry(i);
            table->insert(key(bytesOf(record.Header), bytesOf(record.Source)), i); // last wins
        }
        m_lookup = std::move(table);
    }
    return *m_lookup;
}

QByteArray CompiledSections::key(QByteArrayView header, QByteArrayView source)
{
    QByteArray k = AsciiUpper(header);
    k.append('\n');
    k.append(AsciiUpper(source));
    return k;
}

int CompiledSections::find(const QString& name, const QString& source) const
{
    const QByteArray header = '[' + textcodec::encode(name) + ']';
    const QByteArray wantedSource = textcodec::encode(source);
    return lookup().value(
        key(QByteArrayView(header).first(std::min(header.size(), kHeaderCut)),
            QByteArrayView(wantedSource).first(std::min(wantedSource.size(), kSourceCut))),
        -1);
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
    lines << textcodec::decode(
        header.size() >= 2 ? header.sliced(1, header.size() - 2).toByteArray() : QByteArray());
    lines << QStringLiteral("source=") + textcodec::decode(reader.next().toByteArray());
    while (!reader.atEnd())
        lines << textcodec::decode(reader.next().toByteArray());
    lines << QStringLiteral("]");
    return true;
}
