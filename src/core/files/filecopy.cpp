// File copiers. Targets are written through a save file so that a failed copy never leaves a
// half-written file in place of a good one; a copy keeps what its source may do (a program copied
// into a book's folder or distribution still runs).
#include "core/files/filecopy.h"

#include "core/files/filestore.h"
#include "core/files/projectpath.h"
#include "core/files/runtimeerror.h"
#include "core/files/savefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// Copies in blocks of `blockSize`; false when a write came up short.
bool pump(QIODevice& in, QIODevice& out, qint64 blockSize)
{
    QByteArray block(blockSize, Qt::Uninitialized);
    for (;;) {
        const qint64 got = in.read(block.data(), blockSize);
        if (got <= 0)
            return got == 0;
        if (out.write(block.constData(), got) != got)
            return false;
        if (got < blockSize)
            return true;
    }
}

} // namespace

int CopyFileBytes(const QString& source, const QString& target)
{
    if (source == target)
        return CopySameName;
    QFile in(ResolveProjectName(source));
    if (!in.open(QIODevice::ReadOnly))
        return CopyNoSource;
    filestore::SaveFile out(ResolveProjectName(target));
    try {
        out.open();
    } catch (const InOutError&) {
        return CopyNoTarget;
    }
    out.setPermissions(in.permissions());
    try {
        if (!pump(in, out, 2048))
            return CopyShortWrite;
        out.commit();
    } catch (const InOutError&) {
        return CopyShortWrite;
    }
    return CopyDone;
}

void CopyFileInto(const QString& source, const QString& target)
{
    QString targetName = target;
    if (QFileInfo(target).isDir())
        targetName = QDir(target).filePath(QFileInfo(source).fileName());

    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        throw FileOpenError(source);
    // The copy goes to a scratch name and replaces an earlier copy only when it is complete.
    filestore::SaveFile out(targetName);
    out.open();
    out.setPermissions(in.permissions());
    if (!pump(in, out, 8192)) {
        out.check();
        throw FileOpenError(source); // the source could not be read to its end
    }
    out.commit();
}

int AppendFileTo(const QString& source, QIODevice& output)
{
    QFile in(ResolveProjectName(source));
    if (!in.open(QIODevice::ReadOnly))
        return CopyNoSource;
    QByteArray block(2048, Qt::Uninitialized);
    for (;;) {
        const qint64 got = in.read(block.data(), block.size());
        if (got < 0)
            return CopyNoSource;
        if (got == 0)
            return CopyDone;
        if (output.write(block.constData(), got) != got)
            return CopyShortWrite;
    }
}
