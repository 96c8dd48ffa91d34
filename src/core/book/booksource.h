// Where the reader screens get the book from: the project directory while the author previews
// it, the compiled book appended to the runtime in an executable e-book. Reads raise
// RunTimeError when the book's data cannot be read.
#pragma once

#include "core/project/records.h"

#include <QByteArray>
#include <QStringList>

struct WorkingState;

// The largest chapter text the tool opens, shows or builds (32 MB): no real chapter comes near
// it, and reading and laying out a larger one would keep the windows from answering.
inline constexpr qint64 kMaxChapterSize = 32 * 1024 * 1024;
QString ChapterTooLargeMessage(const QString& name);

// A chapter file's bytes (a bare name of the project directory, or a path). Raises FileOpenError
// when it is not a readable regular file, InOutError with ChapterTooLargeMessage when too large.
QByteArray ReadChapterFile(const QString& name);

class BookSource
{
public:
    virtual ~BookSource() = default;
    virtual const ProjectRecord& project() const = 0;
    virtual QStringList menuEntries() const = 0;
    virtual ChapterRecord chapter(int index) const = 0;
    virtual QByteArray chapterText(const QString& chapterFile) const = 0;
    virtual DisplayRecord display(const QString& displayFile) const = 0;
    virtual bool hyperEntry(const QString& phrase, QStringList& lines) const = 0;
    virtual bool introduction(QStringList& lines) const = 0;
};

// The open project's files, through the working state.
class ProjectBookSource : public BookSource
{
public:
    explicit ProjectBookSource(WorkingState& state) : m_state(state) {}
    const ProjectRecord& project() const override;
    QStringList menuEntries() const override;
    ChapterRecord chapter(int index) const override;
    QByteArray chapterText(const QString& chapterFile) const override;
    DisplayRecord display(const QString& displayFile) const override;
    bool hyperEntry(const QString& phrase, QStringList& lines) const override;
    bool introduction(QStringList& lines) const override;

private:
    WorkingState& m_state;
};

// The open project's book as a designer shows it: the designer's unsaved records, and the
// project's own chapters, texts, displays and links.
class DesignedBookSource : public BookSource
{
public:
    DesignedBookSource(WorkingState& state, const ProjectRecord& designed)
        : m_book(state), m_project(designed)
    {}
    const ProjectRecord& project() const override { return m_project; }
    QStringList menuEntries() const override { return m_book.menuEntries(); }
    ChapterRecord chapter(int index) const override { return m_book.chapter(index); }
    QByteArray chapterText(const QString& chapterFile) const override
    {
        return m_book.chapterText(chapterFile);
    }
    DisplayRecord display(const QString& displayFile) const override
    {
        return m_book.display(displayFile);
    }
    bool hyperEntry(const QString& phrase, QStringList& lines) const override
    {
        return m_book.hyperEntry(phrase, lines);
    }
    bool introduction(QStringList& lines) const override { return m_book.introduction(lines); }

private:
    ProjectBookSource m_book;
    ProjectRecord m_project;
};

// A book that exists only as its records: what a designer shows before anything is saved.
class RecordsBookSource : public BookSource
{
public:
    explicit RecordsBookSource(const ProjectRecord& project) : m_project(project) {}
    // A book of the designers' copies; the records it is not given are empty.
    RecordsBookSource(const PresentationRecord& presentation, const ConfigRecord& config,
                      const MenuRecord& menu = MenuRecord{})
        : m_project{}
    {
        m_project.Presentation = presentation;
        m_project.Config = config;
        m_project.Menu = menu;
    }
    const ProjectRecord& project() const override { return m_project; }
    QStringList menuEntries() const override { return {}; }
    ChapterRecord chapter(int) const override { return {}; }
    QByteArray chapterText(const QString&) const override { return {}; }
    DisplayRecord display(const QString&) const override { return DefaultDisplay(); }
    bool hyperEntry(const QString&, QStringList&) const override { return false; }
    bool introduction(QStringList&) const override { return false; }

private:
    ProjectRecord m_project;
};
