// Line-by-line upgrade of an earlier entry file: the command line after "type=2" gets its first
// blank replaced by ",", the one after "type=6" its first two.
#include "core/project/oldentryfile.h"

#include "core/files/filecopy.h"
#include "core/files/filenames.h"
#include "core/files/filestore.h"
#include "core/files/textlines.h"

#include <QList>

namespace {

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

    const QList<QByteArray> lines = SplitLines(filestore::readAll(scratch));
    QByteArray converted;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        AppendLine(converted, lines.at(i));
        const int blanks = lines.at(i) == "type=2" ? 1 : lines.at(i) == "type=6" ? 2 : 0;
        if (blanks > 0 && i + 1 < lines.size()) {
            ++i;
            AppendLine(converted, replaceBlanks(lines.at(i), blanks));
        }
    }
    filestore::writeAll(fileName, converted);
    filestore::remove(scratch);
}
