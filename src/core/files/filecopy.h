// The file copiers: one that returns a code, one that raises, and the appender used to join files.
#pragma once

#include <QIODevice>
#include <QString>

enum CopyResult : int
{
    CopyDone = 0,
    CopySameName = 1,   // source and target are the same text; nothing done
    CopyNoSource = 2,   // the source cannot be opened
    CopyNoTarget = 3,   // the target cannot be created
    CopyShortWrite = 4, // the disk filled up; the target keeps its old content
};

// Copies 2048 bytes at a time. The target is replaced only when the copy is complete.
int CopyFileBytes(const QString& source, const QString& target);

// Copies 8192 bytes at a time; a target that is a directory receives the file under the
// source's own name. Raises FileOpenError when the source cannot be read, InOutError when the
// target cannot be written (with the disk's own reason: "Disk full", "File access denied").
void CopyFileInto(const QString& source, const QString& target);

// Appends the source's bytes to `output`, which the caller has opened and positioned.
// Returns CopyDone, CopyNoSource or CopyShortWrite.
int AppendFileTo(const QString& source, QIODevice& output);
