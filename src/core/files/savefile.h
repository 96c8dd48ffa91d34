// The one way the tool writes a file: a new scratch file beside it, written, flushed to the disk
// and checked, then put in the file's place by rename. A file is replaced whole or not at all.
#pragma once

#include "core/files/runtimeerror.h"

#include <QFileDevice>
#include <QIODevice>
#include <QString>

#include <optional>

namespace filestore {

// A write past the process's file-size limit fails as on a full disk instead of ending the
// program (SIGXFSZ would kill it with its scratch file left behind). Each program calls it first.
void FailWritesPastSizeLimit();

// Writes `fileName` (the exact path; callers resolve bare names first) through a scratch file in
// its folder. The scratch file is always created new, under a name no other writer uses, so no
// link is ever written through; the rename replaces a link at `fileName` itself. The replaced file
// keeps its permissions, and a file without any write permission is refused. Every write goes to
// the disk unbuffered and is checked; commit() syncs, checks the size, and renames. On any failure
// InOutError is raised with the run-time's text naming the file, the scratch file is removed and
// the old file is untouched. The device may seek back to patch what it wrote.
class SaveFile : public QIODevice
{
public:
    // `scratchName` gives the scratch file's name and extension ("BOOK.tmp" makes
    // "BOOK-PID-N.tmp"); by default it is made from the file's own name.
    explicit SaveFile(const QString& fileName, const QString& scratchName = {});
    ~SaveFile() override;
    SaveFile(const SaveFile&) = delete;
    SaveFile& operator=(const SaveFile&) = delete;

    // Creates the scratch file; raises InOutError.
    void open();
    // The permissions the file gets instead of the replaced file's (a copy keeps its source's).
    void setPermissions(QFileDevice::Permissions permissions) { m_permissions = permissions; }
    // Puts the complete file in place; raises InOutError (also for any earlier failed write).
    void commit();
    // Raises the error of a failed write, if there was one, naming the file.
    void check() const;

    bool isSequential() const override { return false; }
    bool seek(qint64 position) override;
    qint64 size() const override { return m_size; }
    const QString& fileName() const { return m_fileName; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    [[noreturn]] void fail(int error) const;
    void createScratch();
    void discard();

    QString m_fileName;
    QString m_scratchPattern;
    QString m_scratch;
    std::optional<QFileDevice::Permissions> m_permissions;
    int m_fd = -1;
    int m_error = 0; // errno of the first failed write
    qint64 m_size = 0;
};

// The run-time error for `error` (an errno value) about `fileName`.
InOutError errorFor(int error, const QString& fileName);

} // namespace filestore
