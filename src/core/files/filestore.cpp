// File access for the model code, with the run-time's error texts.
#include "core/files/filestore.h"

#include "core/files/projectpath.h"
#include "core/files/savefile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>

namespace {

// Qt refuses some opens itself (a folder, for one) without a system call to set errno.
QString textFromFileState(const QString& fileName)
{
    const QFileInfo info(fileName);
    if (!info.absoluteDir().exists())
        return InOutError::pathNotFound();
    if (!info.exists())
        return InOutError::fileNotFound();
    return InOutError::accessDenied();
}

// The run-time's text for errno.
QString textFromErrno(const QString& fileName)
{
    switch (errno) {
    case ENOENT:
        return QFileInfo(fileName).absoluteDir().exists() ? InOutError::fileNotFound()
                                                          : InOutError::pathNotFound();
    case ENOTDIR:
        return InOutError::pathNotFound();
    case EROFS:
        return InOutError::readOnlyDisk();
    case EACCES:
    case EPERM:
    case EISDIR:
    case ETXTBSY:
        return InOutError::accessDenied();
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return InOutError::diskFull();
    case 0:
        return textFromFileState(fileName);
    default:
        return QStringLiteral("I/O error %1").arg(errno);
    }
}

// A bare name is a file of the book's folder: a link planted there that leads elsewhere is not
// followed.
void refuseLinkOut(const QString& name, const QString& path)
{
    if (!name.contains(QLatin1Char('/')) && LeadsOutOfItsFolder(path))
        throw InOutError(QStringLiteral("%1 leads to a file outside the book's folder.").arg(name));
}

} // namespace

namespace filestore {

InOutError errorFromErrno(const QString& fileName)
{
    return InOutError::about(textFromErrno(fileName), fileName);
}

QByteArray readAll(const QString& fileName)
{
    QFile file(ResolveProjectName(fileName));
    refuseLinkOut(fileName, file.fileName());
    errno = 0;
    // A device or a pipe would be read without end or block: only regular files are read.
    if (QFileInfo(file).exists() && !QFileInfo(file).isFile())
        throw InOutError::about(InOutError::accessDenied(), fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw errorFromErrno(file.fileName());
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw errorFromErrno(file.fileName());
    return bytes;
}

MappedFile::MappedFile(const QString& fileName)
    : m_file(std::make_unique<QFile>(ResolveProjectName(fileName)))
{
    refuseLinkOut(fileName, m_file->fileName());
    errno = 0;
    if (QFileInfo(*m_file).exists() && !QFileInfo(*m_file).isFile())
        throw InOutError::about(InOutError::accessDenied(), fileName);
    if (!load())
        throw errorFromErrno(m_file->fileName());
}

std::unique_ptr<MappedFile> MappedFile::ofPath(const QString& path)
{
    std::unique_ptr<MappedFile> file(new MappedFile);
    file->m_file = std::make_unique<QFile>(path);
    if (!QFileInfo(path).isFile() || !file->load())
        return nullptr;
    return file;
}

bool MappedFile::load()
{
    if (!m_file->open(QIODevice::ReadOnly))
        return false;
    const qint64 size = m_file->size();
    if (size == 0)
        return true;
    if (uchar* mapped = m_file->map(0, size)) {
        m_view = QByteArrayView(reinterpret_cast<const char*>(mapped), size);
        return true;
    }
    m_copy = m_file->readAll();
    m_view = m_copy;
    return m_file->error() == QFileDevice::NoError;
}

MappedFile::~MappedFile() = default;

namespace {

void writeThrough(SaveFile& file, const QByteArray& bytes)
{
    file.open();
    file.write(bytes);
    file.commit();
}

} // namespace

void writeAll(const QString& fileName, const QByteArray& bytes)
{
    SaveFile file(ResolveProjectName(fileName));
    writeThrough(file, bytes);
}

void remove(const QString& fileName)
{
    QFile file(ResolveProjectName(fileName));
    errno = 0;
    if (!file.remove())
        throw errorFromErrno(file.fileName());
}

bool exists(const QString& fileName)
{
    return QFileInfo::exists(ResolveProjectName(fileName));
}

} // namespace filestore

namespace filestore {

void rewriteThroughScratch(const QString& fileName, const QString& scratchName,
                           const QByteArray& bytes)
{
    SaveFile file(ResolveProjectName(fileName), scratchName);
    writeThrough(file, bytes);
}

} // namespace filestore
