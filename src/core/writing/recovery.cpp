#include "core/writing/recovery.h"

#include "core/files/filestore.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <optional>

namespace {

// "Quorelle recovery 1", the book's folder and the chapter's name, each a line, then the RTF.
const QByteArray kMagic = QByteArrayLiteral("Quorelle recovery 1\n");
constexpr qint64 kLargestCopy = 256 * 1024 * 1024;
const QString kSuffix = QStringLiteral(".qrec");

// One folder is one book however it is written: by its canonical path where it exists.
QString bookKey(const QString& book)
{
    const QString canonical = QFileInfo(book).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(QFileInfo(book).absoluteFilePath()) : canonical;
}

QString copyFile(const QString& book, const QString& chapter)
{
    const QByteArray key = (bookKey(book) + QLatin1Char('\n') + chapter.toUpper()).toUtf8();
    const QByteArray name = QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex();
    return RecoveryFolder() + QLatin1Char('/') + QString::fromLatin1(name.left(24)) + kSuffix;
}

std::optional<RecoveryCopy> readCopy(const QFileInfo& info)
{
    if (info.size() > kLargestCopy)
        return std::nullopt;
    QFile file(info.filePath());
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (!bytes.startsWith(kMagic))
        return std::nullopt;
    const qsizetype bookEnd = bytes.indexOf('\n', kMagic.size());
    const qsizetype chapterEnd = bookEnd < 0 ? -1 : bytes.indexOf('\n', bookEnd + 1);
    if (chapterEnd < 0)
        return std::nullopt;
    RecoveryCopy copy;
    copy.file = info.filePath();
    copy.book = QString::fromUtf8(bytes.mid(kMagic.size(), bookEnd - kMagic.size()));
    copy.chapter = QString::fromUtf8(bytes.mid(bookEnd + 1, chapterEnd - bookEnd - 1));
    copy.written = info.lastModified();
    copy.rtf = bytes.mid(chapterEnd + 1);
    return copy;
}

} // namespace

QString RecoveryFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/quorelle/recovery");
}

void KeepRecoveryCopy(const QString& book, const QString& chapter, const QByteArray& rtf)
{
    // The author's unpublished words: the folder is the user's alone.
    if (QDir().mkpath(RecoveryFolder()))
        QFile::setPermissions(RecoveryFolder(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                    QFileDevice::ExeOwner);
    filestore::writeAll(copyFile(book, chapter),
                        kMagic + bookKey(book).toUtf8() + '\n' + chapter.toUtf8() + '\n' + rtf);
}

void DropRecoveryCopy(const QString& book, const QString& chapter)
{
    QFile::remove(copyFile(book, chapter));
}

QList<RecoveryCopy> RecoveryCopiesOf(const QString& book)
{
    const QString key = bookKey(book);
    QList<RecoveryCopy> copies;
    const QFileInfoList files =
        QDir(RecoveryFolder()).entryInfoList({QLatin1Char('*') + kSuffix}, QDir::Files);
    for (const QFileInfo& info : files) {
        const std::optional<RecoveryCopy> copy = readCopy(info);
        if (copy && copy->book == key)
            copies << *copy;
    }
    std::sort(copies.begin(), copies.end(),
              [](const RecoveryCopy& a, const RecoveryCopy& b) { return a.written < b.written; });
    return copies;
}
