// Chapter file names.
#include "core/project/chaptersave.h"

#include "core/files/filenames.h"

std::optional<QString> ChapterFileName(const QString& entered)
{
    const qsizetype cut =
        std::max(entered.lastIndexOf(QLatin1Char('\\')), entered.lastIndexOf(QLatin1Char(':')));
    const QString bare = entered.mid(cut + 1);
    if (!ValidFileName(bare))
        return std::nullopt;
    return ChangeFileExt(bare, QStringLiteral(".QLF"));
}
