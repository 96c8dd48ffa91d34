// Writing a whole folder of files (a web edition) so that it is replaced complete or not at all:
// the files go into a scratch folder beside it, which then changes places with the old folder in
// one step; the old one is removed after.
#pragma once

#include "core/files/runtimeerror.h"

#include <QByteArray>
#include <QString>

namespace filestore {

class FolderWrite
{
public:
    // Nothing is written until the first add().
    explicit FolderWrite(const QString& folder);
    // Removes the scratch folder when commit() was not reached.
    ~FolderWrite();
    FolderWrite(const FolderWrite&) = delete;
    FolderWrite& operator=(const FolderWrite&) = delete;

    // Writes a file at `path`, relative to the folder ("chapters/1.js"); a path that would lead
    // out of the folder, or an absolute one, raises InOutError, as does a failed write.
    void add(const QString& path, const QByteArray& bytes);
    // Puts the new folder in the old one's place; raises InOutError, leaving the old one whole.
    void commit();
    // Bytes written so far.
    qint64 size() const { return m_size; }

private:
    QString scratch();

    QString m_folder;
    QString m_scratch;
    qint64 m_size = 0;
    bool m_committed = false;
};

// Whether `path` is a relative path that stays inside its folder: no empty, "." or ".." part.
bool StaysInFolder(const QString& path);

} // namespace filestore
