// The compiled book (its layout in format/book/booklayout.h): writing it from a project, and the
// format library's reader of it for Qt code.
#pragma once

#include "core/project/records.h"
#include "core/project/workingstate.h"
#include "core/sections/compiledsections.h"
#include "format/book/booklayout.h"

#include <QByteArray>
#include <QIODevice>
#include <QList>

#include <memory>

using bookformat::BookHeader;
using bookformat::TableHeader;
using DisplayEntry = bookformat::DisplayEntryOf<PString>;
using ChapterEntry = bookformat::ChapterEntryOf<PString>;

inline constexpr qsizetype kBookHeaderPosition = bookformat::kBookHeaderPosition;

// Writes the compiled book to the device from its current position, with offsets counted from
// there. False (after the messages) when the book cannot be compiled.
bool WriteCompiledBook(WorkingState& state, QIODevice& out);

// The compiled bytes, or nothing when validation fails (with the messages shown).
std::optional<QByteArray> CompiledBookBytes(WorkingState& state);

class CompiledBookError : public RunTimeError
{
public:
    explicit CompiledBookError(const QString& detail)
        : RunTimeError(QStringLiteral("The e-book is damaged: %1.").arg(detail))
    {}
    explicit CompiledBookError(const bookformat::CompiledBookError& error)
        : RunTimeError(QString::fromUtf8(error.what()))
    {}
};

// A compiled book read back, checked when opened: every table and offset lies inside the block.
class CompiledBook
{
public:
    // Raises CompiledBookError (or CompiledBlockError for the HyperText block).
    static CompiledBook fromBytes(QByteArray block);

    const ProjectRecord& project() const { return m_project; }
    const QList<ChapterEntry>& chapters() const { return m_chapters; }
    const QList<DisplayEntry>& displays() const { return m_displays; }
    // The display record whose name equals `name` exactly; raises CompiledBookError when none.
    DisplayRecord display(const QString& name) const;
    QByteArray chapterText(int index) const;
    const CompiledSections* hyperText() const { return m_hyper ? &*m_hyper : nullptr; }
    qsizetype size() const { return m_block.size(); }
    // The format library's reader of the same bytes.
    const bookformat::CompiledBook& formatBook() const { return *m_book; }

private:
    QByteArray m_block;
    std::shared_ptr<const bookformat::CompiledBook> m_book; // reads m_block in place
    ProjectRecord m_project{};
    QList<DisplayEntry> m_displays;
    QList<ChapterEntry> m_chapters;
    std::optional<CompiledSections> m_hyper;
};
