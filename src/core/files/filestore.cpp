// File access for the model code, with the run-time's error texts.
#include "core/files/filestore.h"

#include "core/files/projectpath.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>

namespace {

// Qt refuses some opens itself (a folder, for one) without a system call to set errno.
InOutError errorFromFileState(const QString& fileName)
{
    const QFileInfo info(fileName);
    if (!info.absoluteDir().exists())
        return InOutError(InOutError::pathNotFound());
    if (!info.exists())
        return InOutError(InOutError::fileNotFound());
    return InOutError(InOutError::accessDenied());
}

} // namespace

namespace filestore {

InOutError errorFromErrno(const QString& fileName)
{
    switch (errno) {
    case ENOENT:
        return InOutError(QFileInfo(fileName).absoluteDir().exists() ? InOutError::fileNotFound()
                                                                     : InOutError::pathNotFound());
    case ENOTDIR:
        return InOutError(InOutError::pathNotFound());
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
        return InOutError(InOutError::accessDenied());
    case ENOSPC:
    case EDQUOT:
        return InOutError(InOutError::diskFull());
    case 0:
        return errorFromFileState(fileName);
    default:
        return InOutError(QStringLiteral("I/O error %1").arg(errno));
    }
}

QByteArray readAll(const QString& fileName)
{
    QFile file(ResolveProjectName(fileName));
    errno = 0;
    // A device or a pipe would be read without end or block: only regular files are read.
    if (QFileInfo(file).exists() && !QFileInfo(file).isFile())
        throw InOutError(InOutError::accessDenied());
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
    errno = 0;
    if (QFileInfo(*m_file).exists() && !QFileInfo(*m_file).isFile())
        throw InOutError(InOutError::accessDenied());
    if (!m_file->open(QIODevice::ReadOnly))
        throw errorFromErrno(m_file->fileName());
    const qint64 size = m_file->size();
    if (size == 0)
        return;
    if (uchar* mapped = m_file->map(0, size)) {
        m_view = QByteArrayView(reinterpret_cast<const char*>(mapped), size);
        return;
    }
    m_copy = m_file->readAll();
    if (m_file->error() != QFileDevice::NoError)
        throw errorFromErrno(m_file->fileName());
    m_view = m_copy;
}

MappedFile::~MappedFile() = default;

namespace {

// Writes the file of exactly this name through a save file.
void writeExactly(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        throw errorFromErrno(file.fileName());
    if (file.write(bytes) != bytes.size()) {
        const InOutError error = errorFromErrno(file.fileName());
        file.cancelWriting();
        throw error;
    }
    if (!file.commit())
        throw errorFromErrno(file.fileName());
}

} // namespace

void writeAll(const QString& fileName, const QByteArray& bytes)
{
    writeExactly(ResolveProjectName(fileName), bytes);
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

void replace(const QString& from, const QString& to)
{
    const QString target = ResolveProjectName(to);
    errno = 0;
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(target).constData()) !=
        0)
        throw errorFromErrno(target);
}

} // namespace filestore

namespace filestore {

void rewriteThroughScratch(const QString& fileName, const QString& scratchName,
                           const QByteArray& bytes)
{
    // The scratch file is written and renamed under one name, exactly as given: a file that
    // differs from it only in letter case is neither taken for it nor overwritten.
    writeExactly(scratchName, bytes);
    replace(scratchName, fileName);
}

} // namespace filestore
