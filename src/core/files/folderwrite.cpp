#include "core/files/folderwrite.h"

#include "core/files/descriptorwrite.h"
#include "core/files/filestore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace filestore {

namespace {

// Swaps the two folders' names in one step, so that no moment leaves the name without a folder.
bool exchange(const QString& one, const QString& other)
{
    return renameat2(AT_FDCWD, QFile::encodeName(one).constData(), AT_FDCWD,
                     QFile::encodeName(other).constData(), RENAME_EXCHANGE) == 0;
}

bool rename(const QString& from, const QString& to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

} // namespace

bool StaysInFolder(const QString& path)
{
    if (path.isEmpty() || path.startsWith(QLatin1Char('/')) || path.contains(QLatin1Char('\\')))
        return false;
    const QStringList parts = path.split(QLatin1Char('/'));
    return std::none_of(parts.begin(), parts.end(), [](const QString& part) {
        return part.isEmpty() || part == QLatin1String(".") || part == QLatin1String("..");
    });
}

FolderWrite::FolderWrite(const QString& folder) : m_folder(QFileInfo(folder).absoluteFilePath()) {}

FolderWrite::~FolderWrite()
{
    if (!m_committed && !m_scratch.isEmpty())
        QDir(m_scratch).removeRecursively();
}

QString FolderWrite::scratch()
{
    if (m_scratch.isEmpty()) {
        const QFileInfo folder(m_folder);
        const QString pattern = folder.absolutePath() + QStringLiteral("/.") + folder.fileName() +
                                QStringLiteral("-%1-%2.partial");
        for (int n = 1; m_scratch.isEmpty(); ++n) {
            const QString name = pattern.arg(QCoreApplication::applicationPid()).arg(n);
            errno = 0;
            if (QDir().mkdir(name))
                m_scratch = name;
            else if (!QFileInfo::exists(name))
                throw errorFromErrno(m_folder);
        }
    }
    return m_scratch;
}

void FolderWrite::add(const QString& path, const QByteArray& bytes)
{
    if (!StaysInFolder(path))
        throw InOutError::about(InOutError::accessDenied(), path);
    const QString file = scratch() + QLatin1Char('/') + path;
    const QString parent = QFileInfo(file).absolutePath();
    errno = 0;
    if (!QDir().mkpath(parent))
        throw errorFromErrno(parent);
    // The scratch folder is new and the writer's own: each file is made new in it, and the disk
    // is synced once for all of them when the folder is committed.
    const int fd = ::open(QFile::encodeName(file).constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0)
        throw errorFromErrno(file);
    int error = WriteAllTo(fd, bytes.constData(), std::size_t(bytes.size()));
    // The disk starts on the file now, while the next ones are made, so that the sync at the
    // commit has little left to wait for.
    if (error == 0)
        ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error != 0) {
        errno = error;
        throw errorFromErrno(file);
    }
    m_size += bytes.size();
}

void FolderWrite::commit()
{
    const QString scratchFolder = scratch();
    errno = 0;
    const int folder =
        ::open(QFile::encodeName(scratchFolder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0 || ::syncfs(folder) != 0) {
        const int error = errno;
        if (folder >= 0)
            ::close(folder);
        errno = error;
        throw errorFromErrno(m_folder);
    }
    ::close(folder);
    if (!QFileInfo::exists(m_folder)) {
        if (!rename(scratchFolder, m_folder))
            throw errorFromErrno(m_folder);
    } else {
        if (!QFileInfo(m_folder).isDir() || QFileInfo(m_folder).isSymLink())
            throw InOutError::about(InOutError::accessDenied(), m_folder);
        if (!exchange(scratchFolder, m_folder))
            throw errorFromErrno(m_folder);
        // The scratch name now holds the old edition.
        QDir(scratchFolder).removeRecursively();
    }
    m_committed = true;
}

} // namespace filestore
