// The compiled book inside an executable e-book.
#include "core/book/bookarchive.h"

#include "core/sections/introduction.h"
#include "format/imageend.h"

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

bool CompiledBookSource::hyperEntry(const QString& phrase, QStringList& lines) const
{
    const CompiledSections* sections = m_book.hyperText();
    return sections && sections->readEntry(phrase, QStringLiteral("HYPER"), lines);
}

bool CompiledBookSource::introduction(QStringList& lines) const
{
    const CompiledSections* sections = m_book.hyperText();
    QStringList entry;
    if (!sections || !sections->readEntry(kIntroName, kIntroSource, entry))
        return false;
    // Name, source and "text=" come first; the terminator ends it.
    lines << entry.mid(3, entry.size() - 4);
    return true;
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
