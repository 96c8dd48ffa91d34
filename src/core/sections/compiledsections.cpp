// The Qt side of the compiled sections: QString at the boundary, the bytes owned or mapped.
#include "core/sections/compiledsections.h"

#include "core/files/filenames.h"
#include "core/files/filestore.h"
#include "core/files/textcodec.h"

#include <QFile>

#include <string_view>

namespace {

// Runs a reading of the format library, its damage reported as the Qt code's error.
template <class F> auto reported(F&& read)
{
    try {
        return read();
    } catch (const bookformat::CompiledBlockError& error) {
        throw CompiledBlockError(error);
    }
}

} // namespace

QByteArray CompileSections(const QByteArray& sectionFile)
{
    return QByteArray::fromStdString(bookformat::CompileSections(textcodec::view(sectionFile)));
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
    sections.open(sections.m_owned, check);
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
        throw CompiledBlockError(bookformat::CompiledBlockError("the block lies outside the file"));
    if (size > 0) {
        const uchar* mapped = sections.m_file->map(offset, size);
        if (!mapped)
            throw filestore::errorFromErrno(path);
        sections.open(QByteArrayView(reinterpret_cast<const char*>(mapped), size),
                      IndexCheck::AtOpen);
        return sections;
    }
    sections.open(QByteArrayView(), IndexCheck::AtOpen);
    return sections;
}

void CompiledSections::open(QByteArrayView block, IndexCheck check)
{
    m_sections = reported([&] {
        return std::make_shared<const bookformat::CompiledSections>(textcodec::view(block), check);
    });
}

int CompiledSections::find(const QString& name, const QString& source) const
{
    return reported([&] { return m_sections->find(name.toStdString(), source.toStdString()); });
}

bool CompiledSections::readEntry(const QString& name, const QString& source,
                                 QStringList& lines) const
{
    const auto entry =
        reported([&] { return m_sections->readEntry(name.toStdString(), source.toStdString()); });
    if (!entry)
        return false;
    lines.clear();
    for (const std::string& line : *entry)
        lines << QString::fromStdString(line);
    return true;
}

QByteArrayView CompiledSections::body(int index) const
{
    const std::string_view bytes = reported([&] { return m_sections->body(index); });
    return QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QString CompiledSections::headerLine(int index) const
{
    return QString::fromStdString(reported([&] { return m_sections->headerLine(index); }));
}

QString CompiledSections::source(int index) const
{
    return QString::fromStdString(reported([&] { return m_sections->source(index); }));
}
