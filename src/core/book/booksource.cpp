// The book source over the project directory.
#include "core/book/booksource.h"

#include "core/files/projectpath.h"
#include "core/files/runtimeerror.h"
#include "core/project/projectfiles.h"
#include "core/sections/hypertext.h"
#include "core/sections/introduction.h"

#include <QFile>
#include <QFileInfo>

const ProjectRecord& ProjectBookSource::project() const
{
    return m_state.Project;
}

QStringList ProjectBookSource::menuEntries() const
{
    QStringList entries;
    LoadMenuEntries(m_state, entries);
    return entries;
}

ChapterRecord ProjectBookSource::chapter(int index) const
{
    ReadChapter(m_state, index);
    return m_state.CurrentChapter;
}

namespace {

// The preview reads only files of the project's folder, as the builder does.
void checkBookFile(const QString& kind, const QString& name)
{
    if (!IsBookFileName(name))
        throw InOutError(NotABookFileMessage(QStringLiteral("The %1 entry").arg(kind), name));
}

} // namespace

QString ChapterTooLargeMessage(const QString& name)
{
    return QStringLiteral("The Chapter file %1 is larger than %2 MB; a chapter of that size "
                          "cannot be opened.")
        .arg(name)
        .arg(kMaxChapterSize / (1024 * 1024));
}

QByteArray ReadChapterFile(const QString& name)
{
    QFile file(ResolveProjectName(name));
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly))
        throw FileOpenError(name);
    if (file.size() > kMaxChapterSize)
        throw InOutError(ChapterTooLargeMessage(name));
    return file.readAll();
}

QByteArray ProjectBookSource::chapterText(const QString& chapterFile) const
{
    checkBookFile(QStringLiteral("chapter"), chapterFile);
    return ReadChapterFile(chapterFile);
}

DisplayRecord ProjectBookSource::display(const QString& displayFile) const
{
    checkBookFile(QStringLiteral("display"), displayFile);
    return DisplayFileRecord(displayFile);
}

bool ProjectBookSource::hyperEntry(const QString& phrase, QStringList& lines) const
{
    return FindHyperEntry(m_state.HyperTextFile, phrase, lines);
}

bool ProjectBookSource::introduction(QStringList& lines) const
{
    return ReadIntroEntry(m_state.HyperTextFile, lines);
}
