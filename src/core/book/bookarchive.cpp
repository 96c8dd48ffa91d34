// The compiled book inside an executable e-book.
#include "core/book/bookarchive.h"

#include "core/files/textcodec.h"
#include "core/sections/compiledsections.h"
#include "format/book/imageend.h"

QStringList CompiledBookSource::menuEntries() const
{
    QStringList entries;
    for (const ChapterEntry& entry : m_book.chapters())
        entries << entry.MenuEntry.text();
    return entries;
}

ChapterRecord CompiledBookSource::chapter(int index) const
{
    if (index < 0 || index >= m_book.chapters().size())
        throw ListIndexError(index);
    const ChapterEntry& entry = m_book.chapters().at(index);
    ChapterRecord record{};
    record.MenuEntry = entry.MenuEntry;
    record.DisplayFile = entry.DisplayFile;
    // The book has no chapter files: the chapter's number stands in for its name.
    record.ChapterFile.setText(QString::number(index));
    m_lastChapter = index;
    return record;
}

QByteArray CompiledBookSource::chapterText(const QString& chapterFile) const
{
    bool isNumber = false;
    const int index = chapterFile.toInt(&isNumber);
    const int chapter = isNumber ? index : m_lastChapter;
    if (chapter < 0 || chapter >= m_book.chapters().size())
        throw ListIndexError(chapter);
    return m_book.chapterText(chapter);
}

namespace {

// Reads lines through the format library, its damage reported as the Qt code's error.
template <class F> bool linesOf(F&& read, QStringList& lines)
{
    std::optional<std::vector<std::string>> found;
    try {
        found = read();
    } catch (const bookformat::CompiledBlockError& error) {
        throw CompiledBlockError(error);
    }
    if (!found)
        return false;
    lines = textcodec::fromUtf8Lines(*found);
    return true;
}

} // namespace

bool CompiledBookSource::hyperEntry(const QString& phrase, QStringList& lines) const
{
    return linesOf(
        [&] { return bookformat::HyperEntry(m_book.formatBook(), phrase.toStdString()); }, lines);
}

bool CompiledBookSource::introduction(QStringList& lines) const
{
    return linesOf([&] { return bookformat::IntroText(m_book.formatBook()); }, lines);
}

CompiledBook BookAfterImage(const QByteArray& file)
{
    std::string_view book;
    try {
        book = bookformat::BookAfterImage(
            std::string_view(file.constData(), static_cast<std::size_t>(file.size())));
    } catch (const bookformat::CompiledBookError& error) {
        throw CompiledBookError(error);
    }
    // The book is read in place: only the tables and what is shown are ever touched.
    return CompiledBook::fromBytes(
        QByteArray::fromRawData(book.data(), static_cast<qsizetype>(book.size())));
}
