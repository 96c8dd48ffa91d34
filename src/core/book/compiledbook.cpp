// Compiling a book and reading a compiled book.
#include "core/book/compiledbook.h"

#include "core/book/booksource.h"
#include "core/files/filenames.h"
#include "core/files/filestore.h"
#include "core/files/projectpath.h"
#include "core/project/projectfiles.h"
#include "core/project/reclist.h"
#include "core/services/messages.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

namespace {

// The largest offset the book's 32-bit tables can hold.
constexpr qint64 kMaxBookSize = std::numeric_limits<std::int32_t>::max();

QString tooLargeMessage()
{
    return QStringLiteral("The E-Book is too large: an Executable E-Book holds at most 2 GB of "
                          "chapters and HyperText.");
}

// What the chapters and the HyperText file will take at least; checked before anything is
// written.
qint64 contentSize(const WorkingState& state, const QList<ChapterRecord>& chapters)
{
    qint64 total = QFileInfo(ResolveProjectName(state.HyperTextFile)).size();
    for (const ChapterRecord& chapter : chapters)
        total += QFileInfo(ResolveProjectName(chapter.ChapterFile.text())).size();
    return total;
}

struct BookContents
{
    QList<ChapterRecord> chapters;
    QStringList displayNames;
};

template <std::size_t N> bool readable(const PString<N>& name)
{
    if (name.length > N)
        return false;
    const QString text = name.text();
    return std::none_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x20; });
}

// False after a message when a chapter record's names are damaged, or name files outside the
// book's folder.
bool checkChapterNames(const WorkingState& state, const ChapterRecord& chapter, qsizetype index)
{
    if (!readable(chapter.ChapterFile) || !readable(chapter.DisplayFile) ||
        !readable(chapter.MenuEntry)) {
        ShowError(QStringLiteral("The chapter list %1 is damaged: chapter record %2 holds no "
                                 "valid name.")
                      .arg(state.ChapterListFile)
                      .arg(index + 1));
        return false;
    }
    const QString owner = QStringLiteral("The chapter \"%1\"").arg(chapter.MenuEntry.text());
    for (const QString& name : {chapter.ChapterFile.text(), chapter.DisplayFile.text()}) {
        if (!IsBookFileName(name)) {
            ShowError(NotABookFileMessage(owner, name));
            return false;
        }
    }
    return true;
}

// A file the book is made of: it must be a regular file, not a device, a pipe or a folder.
bool checkRegular(const QString& kind, const QString& name)
{
    if (QFileInfo(ResolveProjectName(name)).isFile())
        return true;
    ShowError(QStringLiteral("The %1 file %2 is not a regular file.").arg(kind, name));
    return false;
}

// The chapter list, its display files and chapter files, checked in that order.
std::optional<BookContents> collectContents(WorkingState& state)
{
    TRecList records;
    if (!LoadChapterRecords(state, records))
        return std::nullopt;
    BookContents contents;
    for (qsizetype i = 0; i < records.Count(); ++i) {
        contents.chapters << records.at<ChapterRecord>(i);
        if (!checkChapterNames(state, contents.chapters.last(), i))
            return std::nullopt;
    }
    for (const ChapterRecord& chapter : std::as_const(contents.chapters)) {
        const QString name = chapter.DisplayFile.text();
        if (!filestore::exists(name)) {
            ShowError(QStringLiteral("The Display file ") + name +
                      QStringLiteral(" was not found."));
            return std::nullopt;
        }
        if (!checkRegular(QStringLiteral("Display"), name))
            return std::nullopt;
        if (!contents.displayNames.contains(name))
            contents.displayNames << name;
    }
    if (contents.displayNames.isEmpty())
        return std::nullopt;
    for (const ChapterRecord& chapter : std::as_const(contents.chapters)) {
        if (!filestore::exists(chapter.ChapterFile.text())) {
            ShowError(QStringLiteral("The Chapter file ") + chapter.ChapterFile.text() +
                      QStringLiteral(" was not found."));
            return std::nullopt;
        }
        if (!checkRegular(QStringLiteral("Chapter"), chapter.ChapterFile.text()))
            return std::nullopt;
        if (QFileInfo(ResolveProjectName(chapter.ChapterFile.text())).size() > kMaxChapterSize) {
            ShowError(ChapterTooLargeMessage(chapter.ChapterFile.text()));
            return std::nullopt;
        }
    }
    if (contentSize(state, contents.chapters) > kMaxBookSize) {
        ShowError(tooLargeMessage());
        return std::nullopt;
    }
    return contents;
}

// Writes to the output and raises the run-time error when the disk refuses.
class BookWriter
{
public:
    explicit BookWriter(QIODevice& out) : m_out(out), m_start(out.pos()) {}

    // Offsets in the book are 32-bit: a book that outgrows them is refused, never cut.
    std::int32_t position() const
    {
        const qint64 at = m_out.pos() - m_start;
        if (at > kMaxBookSize)
            throw InOutError(tooLargeMessage());
        return std::int32_t(at);
    }
    void write(const QByteArray& bytes)
    {
        if (m_out.write(bytes) != bytes.size())
            throwWriteError();
    }
    template <class T> void write(const T& value) { write(filestore::bytesOf(value)); }
    template <class T> void patch(std::int32_t at, const T& value)
    {
        const qint64 end = m_out.pos();
        m_out.seek(m_start + at);
        write(value);
        m_out.seek(end);
    }
    void copyFile(const QString& name)
    {
        QFile in(ResolveProjectName(name));
        if (!in.open(QIODevice::ReadOnly))
            throw FileOpenError(name);
        QByteArray block(1 << 20, Qt::Uninitialized);
        qint64 got;
        errno = 0;
        while ((got = in.read(block.data(), block.size())) > 0) {
            if (m_out.write(block.constData(), got) != got)
                throwWriteError();
        }
        // A read error is not the file's end: the chapter would be cut short in the book.
        if (got < 0)
            throw InOutError(QStringLiteral("The Chapter file %1 could not be read: %2")
                                 .arg(name, filestore::errorFromErrno(name).message()));
    }

private:
    // The device's own reason names the file ("Disk full: BOOK.EXE"); a device without one has
    // run out of room.
    [[noreturn]] void throwWriteError() const
    {
        const QString reason = m_out.errorString();
        throw InOutError(reason.isEmpty() || reason == QStringLiteral("Unknown error")
                             ? InOutError::diskFull()
                             : reason);
    }

    QIODevice& m_out;
    qint64 m_start;
};

void writeHyperText(WorkingState& state, BookWriter& out, BookHeader& header)
{
    // Compiled in memory: no scratch file for another build, or a link planted in its place, to
    // meet.
    if (!filestore::exists(state.HyperTextFile)) {
        header.HyperOffset = 0;
        return;
    }
    header.HyperOffset = out.position();
    out.write(CompileSections(filestore::readAll(state.HyperTextFile)));
}

void writeDisplays(const QStringList& names, BookWriter& out, BookHeader& header)
{
    header.DisplaySection = out.position();
    out.write(TableHeader{});
    QByteArray index;
    for (const QString& name : names) {
        DisplayEntry entry{};
        entry.Name.setText(name);
        entry.Offset = out.position();
        out.write(DisplayFileRecord(name));
        index.append(filestore::bytesOf(entry));
    }
    out.patch(header.DisplaySection, TableHeader{std::int32_t(names.size()), out.position()});
    out.write(index);
}

void writeChapters(const QList<ChapterRecord>& chapters, BookWriter& out, BookHeader& header)
{
    header.ChapterSection = out.position();
    out.write(TableHeader{});
    QByteArray index;
    for (const ChapterRecord& chapter : chapters) {
        ChapterEntry entry{};
        entry.MenuEntry = chapter.MenuEntry;
        entry.DisplayFile = chapter.DisplayFile;
        entry.Offset = out.position();
        out.copyFile(chapter.ChapterFile.text());
        entry.Size = out.position() - entry.Offset;
        index.append(filestore::bytesOf(entry));
    }
    out.patch(header.ChapterSection, TableHeader{std::int32_t(chapters.size()), out.position()});
    out.write(index);
}

} // namespace

bool WriteCompiledBook(WorkingState& state, QIODevice& device)
{
    const std::optional<BookContents> contents = collectContents(state);
    if (!contents)
        return false;
    BookWriter out(device);
    out.write(state.Project);
    BookHeader header{};
    out.write(header);
    writeHyperText(state, out, header);
    writeDisplays(contents->displayNames, out, header);
    writeChapters(contents->chapters, out, header);
    out.patch(std::int32_t(kBookHeaderPosition), header);
    return true;
}

std::optional<QByteArray> CompiledBookBytes(WorkingState& state)
{
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    if (!WriteCompiledBook(state, buffer))
        return std::nullopt;
    return buffer.data();
}

CompiledBook CompiledBook::fromBytes(QByteArray block)
{
    CompiledBook book;
    book.m_block = std::move(block);
    const std::string_view bytes(book.m_block.constData(),
                                 static_cast<std::size_t>(book.m_block.size()));
    try {
        book.m_book = std::make_shared<const bookformat::CompiledBook>(bytes);
    } catch (const bookformat::CompiledBookError& error) {
        throw CompiledBookError(error);
    } catch (const bookformat::CompiledBlockError& error) {
        throw CompiledBlockError(error);
    }
    book.m_project = RecordAs<ProjectRecord>(book.m_book->project());
    for (const bookformat::DisplayEntry& entry : book.m_book->displays())
        book.m_displays << RecordAs<DisplayEntry>(entry);
    for (const bookformat::ChapterEntry& entry : book.m_book->chapters())
        book.m_chapters << RecordAs<ChapterEntry>(entry);
    if (book.m_book->hyperText()) {
        // Not copied: the block lives in m_block.
        const std::string_view hyper = book.m_book->hyperTextBlock();
        book.m_hyper = CompiledSections::fromBytes(
            QByteArray::fromRawData(hyper.data(), static_cast<qsizetype>(hyper.size())),
            IndexCheck::OnFirstUse);
    }
    return book;
}

DisplayRecord CompiledBook::display(const QString& name) const
{
    try {
        return RecordAs<DisplayRecord>(m_book->display(name.toStdString()));
    } catch (const bookformat::CompiledBookError& error) {
        throw CompiledBookError(error);
    }
}

QByteArray CompiledBook::chapterText(int index) const
{
    const std::string_view text = m_book->chapterText(static_cast<std::size_t>(index));
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}
