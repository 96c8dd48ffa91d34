// Recovery copies of chapter text not yet saved: while the author writes, the editor keeps one
// in the user's data folder (never in the book's folder, which travels with the book), so that
// after a crash the text can be had back. A copy names its book's folder and its chapter file.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

struct RecoveryCopy
{
    QString file;    // where the copy lies
    QString book;    // the book's folder
    QString chapter; // the chapter file's name; empty for a chapter never saved
    QDateTime written;
    QByteArray rtf;
};

// The folder of the copies: "recovery" in the user's data folder.
QString RecoveryFolder();

// Keeps (or replaces) the copy of the chapter of the book's folder, through the one write path.
void KeepRecoveryCopy(const QString& book, const QString& chapter, const QByteArray& rtf);

// Removes that copy, if there is one.
void DropRecoveryCopy(const QString& book, const QString& chapter);

// The copies of the book's folder, oldest first; a damaged copy is passed over.
QList<RecoveryCopy> RecoveryCopiesOf(const QString& book);
