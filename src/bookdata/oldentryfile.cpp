// Line-by-line upgrade of an earlier entry file: the command line after "type=2" gets its first
// blank replaced by ",", the one after "type=6" its first two.
#include "bookdata/oldentryfile.h"

#include "shell/filecopy.h"
#include "shell/filenames.h"
#include "shell/filestore.h"

#include <QList>

namespace {

// Lines as a text file reader sees them: CR LF, LF or CR each end a line.
QList<QByteArray> splitLines(const QByteArray& bytes)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes.at(i);
        if (c != '\r' && c != '\n')
            continue;
        lines << bytes.mid(start, i - start);
        if (c == '\r' && i + 1 < bytes.size() && bytes.at(i + 1) == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines << bytes.mid(start);
    return lines;
}

QByteArray replaceBlanks(QByteArray line, int count)
{
    for (int n = 0; n < count; ++n) {
        const qsizetype blank = line.indexOf(' ');
        if (blank < 0)
            break;
        line[blank] = ',';
    }
    return line;
}

} // namespace

void ConvertOldEntryFile(const QString& fileName)
{
    if (!filestore::exists(fileName))
        return;
    const QString scratch = ChangeFileExt(fileName, QStringLiteral(".TMP"));
    if (CopyFileBytes(fileName, scratch) != CopyDone)
        throw InOutError(InOutError::diskFull());

    const QList<QByteArray> lines = splitLines(filestore::readAll(scratch));
    QByteArray converted;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        converted += lines.at(i) + "\r\n";
        const int blanks = lines.at(i) == "type=2" ? 1 : lines.at(i) == "type=6" ? 2 : 0;
        if (blanks > 0 && i + 1 < lines.size()) {
            ++i;
            converted += replaceBlanks(lines.at(i), blanks) + "\r\n";
        }
    }
    filestore::writeAll(fileName, converted);
    filestore::remove(scratch);
}
