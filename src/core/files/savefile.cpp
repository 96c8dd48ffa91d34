// The save file: scratch, write, sync, check, rename.
#include "core/files/savefile.h"

#include "core/files/descriptorwrite.h"
#include "core/files/filestore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace filestore {

namespace {

// Scratch names are unique to this process and this file, so two builds of one book never
// share one.
QString scratchName(const QString& folder, const QString& pattern, int attempt)
{
    static int counter = 0;
    const QFileInfo info(pattern);
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    return QDir(folder).filePath(QStringLiteral("%1-%2-%3%4")
                                     .arg(info.completeBaseName())
                                     .arg(::getpid())
                                     .arg(++counter + attempt)
                                     .arg(suffix));
}

mode_t modeOf(QFileDevice::Permissions p)
{
    mode_t mode = 0;
    const std::pair<QFileDevice::Permission, mode_t> bits[] = {
        {QFileDevice::ReadOwner, S_IRUSR},  {QFileDevice::WriteOwner, S_IWUSR},
        {QFileDevice::ExeOwner, S_IXUSR},   {QFileDevice::ReadGroup, S_IRGRP},
        {QFileDevice::WriteGroup, S_IWGRP}, {QFileDevice::ExeGroup, S_IXGRP},
        {QFileDevice::ReadOther, S_IROTH},  {QFileDevice::WriteOther, S_IWOTH},
        {QFileDevice::ExeOther, S_IXOTH}};
    for (const auto& [permission, bit] : bits) {
        if (p.testFlag(permission))
            mode |= bit;
    }
    return mode;
}

} // namespace

void FailWritesPastSizeLimit()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

InOutError errorFor(int error, const QString& fileName)
{
    errno = error;
    return errorFromErrno(fileName);
}

SaveFile::SaveFile(const QString& fileName, const QString& scratchName)
    : m_fileName(fileName),
      m_scratchPattern(scratchName.isEmpty()
                           ? QFileInfo(fileName).fileName() + QStringLiteral(".tmp")
                           : QFileInfo(scratchName).fileName())
{}

SaveFile::~SaveFile()
{
    discard();
}

void SaveFile::fail(int error) const
{
    throw errorFor(error, m_fileName);
}

void SaveFile::open()
{
    struct stat old
    {};
    const QByteArray target = QFile::encodeName(m_fileName);
    if (::lstat(target.constData(), &old) == 0 && S_ISREG(old.st_mode)) {
        // A file nobody may write is the author's way of keeping it: it is not replaced.
        if ((old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
            fail(EACCES);
        if (::access(target.constData(), W_OK) != 0)
            fail(errno); // a read-only disk says so
        if (!m_permissions)
            m_permissions = QFile::permissions(m_fileName);
    }
    createScratch();
    QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

void SaveFile::createScratch()
{
    const QString folder = QFileInfo(m_fileName).absolutePath();
    for (int attempt = 0; attempt < 100; ++attempt) {
        m_scratch = scratchName(folder, m_scratchPattern, attempt);
        m_fd = ::open(QFile::encodeName(m_scratch).constData(),
                      O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (m_fd >= 0)
            return;
        if (errno != EEXIST) {
            const int error = errno;
            m_scratch.clear();
            fail(error);
        }
    }
    m_scratch.clear();
    fail(EEXIST);
}

qint64 SaveFile::readData(char*, qint64)
{
    return -1;
}

qint64 SaveFile::writeData(const char* data, qint64 size)
{
    if (m_fd < 0 || m_error != 0)
        return -1;
    m_error = WriteAllTo(m_fd, data, std::size_t(size));
    if (m_error != 0) {
        setErrorString(errorFor(m_error, m_fileName).message());
        return -1;
    }
    m_size = std::max(m_size, pos() + size);
    return size;
}

bool SaveFile::seek(qint64 position)
{
    if (m_fd < 0 || !QIODevice::seek(position))
        return false;
    return ::lseek(m_fd, position, SEEK_SET) == position;
}

void SaveFile::check() const
{
    if (m_error != 0)
        fail(m_error);
}

void SaveFile::commit()
{
    check();
    if (m_fd < 0)
        fail(EBADF);
    struct stat written
    {};
    if (m_permissions && ::fchmod(m_fd, modeOf(*m_permissions)) != 0)
        fail(errno);
    if (::fsync(m_fd) != 0 || ::fstat(m_fd, &written) != 0)
        fail(errno);
    // What the disk holds must be all that was written; a short file is a full disk.
    if (written.st_size != m_size)
        fail(ENOSPC);
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0)
        fail(errno);
    if (std::rename(QFile::encodeName(m_scratch).constData(),
                    QFile::encodeName(m_fileName).constData()) != 0)
        fail(errno);
    m_scratch.clear();
    QIODevice::close();
}

void SaveFile::discard()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_scratch.isEmpty())
        ::unlink(QFile::encodeName(m_scratch).constData());
    m_scratch.clear();
}

} // namespace filestore
