// The book source of an executable e-book: the compiled book appended to the runtime's own file.
#pragma once

#include "core/book/booksource.h"
#include "core/book/compiledbook.h"

class CompiledBookSource : public BookSource
{
public:
    explicit CompiledBookSource(CompiledBook book) : m_book(std::move(book)) {}
    const ProjectRecord& project() const override { return m_book.project(); }
    QStringList menuEntries() const override;
    ChapterRecord chapter(int index) const override;
    QByteArray chapterText(const QString& chapterFile) const override;
    DisplayRecord display(const QString& displayFile) const override
    {
        return m_book.display(displayFile);
    }
    bool hyperEntry(const QString& phrase, QStringList& lines) const override;
    bool introduction(QStringList& lines) const override;
    const CompiledBook& book() const { return m_book; }

private:
    CompiledBook m_book;
    mutable int m_lastChapter = -1; // the chapter whose text is asked for next
};

// The compiled book that follows the ELF image in `file`, which must outlive the book (it is not
// copied); raises CompiledBookError when there is none or it is damaged.
CompiledBook BookAfterImage(const QByteArray& file);
