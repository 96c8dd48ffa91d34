// Compiling a book and reading a compiled book.
#include "build/compiledbook.h"

#include "platform/messages.h"
#include "shell/filenames.h"
#include "shell/filestore.h"
#include "shell/projectfiles.h"
#include "shell/reclist.h"

#include <cstring>

namespace {

template <class T>
void put(QByteArray& out, qsizetype at, const T& value)
{
    std::memcpy(out.data() + at, &value, sizeof value);
}

template <class T>
T take(const QByteArray& block, qint64 at, const char* what)
{
    if (at < 0 || at + qint64(sizeof(T)) > block.size())
        throw CompiledBookError(QStringLiteral("the %1 lies outside the book").arg(QLatin1String(what)));
    T value;
    std::memcpy(&value, block.constData() + at, sizeof value);
    return value;
}

template <class Entry>
QList<Entry> table(const QByteArray& block, qint64 section, const char* what)
{
    const TableHeader header = take<TableHeader>(block, section, what);
    const qint64 room = block.size() - qint64(header.IndexOffset);
    if (header.Count < 0 || header.IndexOffset < 0 || room < 0 || header.Count > room / qint64(sizeof(Entry)))
        throw CompiledBookError(QStringLiteral("the %1 index lies outside the book").arg(QLatin1String(what)));
    QList<Entry> entries(header.Count);
    if (header.Count > 0)
        std::memcpy(entries.data(), block.constData() + header.IndexOffset, header.Count * sizeof(Entry));
    return entries;
}

} // namespace

std::optional<QByteArray> CompiledBookBytes(WorkingState& state)
{
    TRecList records;
    if (!LoadChapterRecords(state, records))
        return std::nullopt;
    QList<ChapterRecord> chapters;
    QStringList displayNames;
    for (qsizetype i = 0; i < records.Count(); ++i)
        chapters << records.at<ChapterRecord>(i);
    for (const ChapterRecord& chapter : std::as_const(chapters)) {
        const QString name = chapter.DisplayFile.text();
        if (!filestore::exists(name)) {
            ShowError(QStringLiteral("The Display file ") + name + QStringLiteral(" was not found."));
            return std::nullopt;
        }
        if (!displayNames.contains(name))
            displayNames << name;
    }
    if (displayNames.isEmpty())
        return std::nullopt;
    for (const ChapterRecord& chapter : std::as_const(chapters)) {
        if (!filestore::exists(chapter.ChapterFile.text())) {
            ShowError(QStringLiteral("The Chapter file ") + chapter.ChapterFile.text() + QStringLiteral(" was not found."));
            return std::nullopt;
        }
    }

    QByteArray out = filestore::bytesOf(state.Project);
    out.append(QByteArray(sizeof(BookHeader), '\0'));
    BookHeader header{};
    header.HyperOffset = std::int32_t(out.size());
    if (CompileSectionFile(state.HyperTextFile, QStringLiteral("$$$"))) {
        const QString compiled = BaseName(state.HyperTextFile) + QStringLiteral(".$$$");
        out.append(filestore::readAll(compiled));
        filestore::remove(compiled);
    } else {
        header.HyperOffset = 0;
    }

    header.DisplaySection = std::int32_t(out.size());
    out.append(QByteArray(sizeof(TableHeader), '\0'));
    QByteArray displayIndex;
    for (const QString& name : std::as_const(displayNames)) {
        DisplayEntry entry{};
        entry.Name.setText(name);
        entry.Offset = std::int32_t(out.size());
        out.append(filestore::bytesOf(filestore::recordAt<DisplayRecord>(filestore::readAll(name), 0)));
        displayIndex.append(filestore::bytesOf(entry));
    }
    put(out, header.DisplaySection, TableHeader{std::int32_t(displayNames.size()), std::int32_t(out.size())});
    out.append(displayIndex);

    header.ChapterSection = std::int32_t(out.size());
    out.append(QByteArray(sizeof(TableHeader), '\0'));
    QByteArray chapterIndex;
    for (const ChapterRecord& chapter : std::as_const(chapters)) {
        ChapterEntry entry{};
        entry.MenuEntry = chapter.MenuEntry;
        entry.DisplayFile = chapter.DisplayFile;
        entry.Offset = std::int32_t(out.size());
        out.append(filestore::readAll(chapter.ChapterFile.text()));
        entry.Size = std::int32_t(out.size() - entry.Offset);
        chapterIndex.append(filestore::bytesOf(entry));
    }
    put(out, header.ChapterSection, TableHeader{std::int32_t(chapters.size()), std::int32_t(out.size())});
    out.append(chapterIndex);
    put(out, kBookHeaderPosition, header);
    return out;
}

bool CompileBook(WorkingState& state)
{
    const std::optional<QByteArray> bytes = CompiledBookBytes(state);
    if (!bytes)
        return false;
    filestore::writeAll(BaseName(state.ProjectFile) + QStringLiteral(".CMP"), *bytes);
    return true;
}

CompiledBook CompiledBook::fromBytes(QByteArray block)
{
    CompiledBook book;
    book.m_block = std::move(block);
    const QByteArray& b = book.m_block;
    book.m_project = take<ProjectRecord>(b, 0, "project record");
    const BookHeader header = take<BookHeader>(b, kBookHeaderPosition, "book header");
    book.m_displays = table<DisplayEntry>(b, header.DisplaySection, "display table");
    book.m_chapters = table<ChapterEntry>(b, header.ChapterSection, "chapter table");
    for (const DisplayEntry& entry : std::as_const(book.m_displays))
        take<DisplayRecord>(b, entry.Offset, "display record");
    for (const ChapterEntry& entry : std::as_const(book.m_chapters)) {
        if (entry.Offset < 0 || entry.Size < 0 || qint64(entry.Offset) + entry.Size > b.size())
            throw CompiledBookError(QStringLiteral("a chapter's text lies outside the book"));
    }
    if (header.HyperOffset != 0) {
        if (header.HyperOffset < kBookHeaderPosition || header.HyperOffset > header.DisplaySection)
            throw CompiledBookError(QStringLiteral("the HyperText entries lie outside the book"));
        book.m_hyper = CompiledSections::fromBytes(b.mid(header.HyperOffset, header.DisplaySection - header.HyperOffset));
    }
    return book;
}

DisplayRecord CompiledBook::display(const QString& name) const
{
    for (const DisplayEntry& entry : m_displays) {
        if (entry.Name.text() == name)
            return take<DisplayRecord>(m_block, entry.Offset, "display record");
    }
    throw CompiledBookError(QStringLiteral("the display %1 is not in the book").arg(name));
}

QByteArray CompiledBook::chapterText(int index) const
{
    const ChapterEntry& entry = m_chapters.at(index);
    return m_block.mid(entry.Offset, entry.Size);
}
