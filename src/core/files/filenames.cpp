// File-name, number and word helpers.
#include "core/files/filenames.h"

#include "core/files/projectpath.h"
#include "core/files/runtimeerror.h"
#include "format/reader/bookfiles.h"
#include "format/text/numbers.h"

#include <QFileInfo>

namespace {

// Index of the dot that starts the extension of the path's last part, or -1.
qsizetype extensionDot(const QString& path)
{
    const qsizetype slash =
        std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot > slash ? dot : -1;
}

QString fileNamePart(const QString& path)
{
    const qsizetype slash =
        std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(slash + 1);
}

} // namespace

QString BaseName(const QString& path)
{
    const QString name = fileNamePart(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

QString ChangeFileExt(const QString& path, const QString& extension)
{
    const qsizetype dot = extensionDot(path);
    return (dot < 0 ? path : path.left(dot)) + extension;
}

bool HasAttributes(const QString& path, unsigned attributes)
{
    const QFileInfo info(ResolveProjectName(path));
    if (!info.exists())
        return false;
    unsigned actual = 0;
    if (!info.isWritable())
        actual |= ReadOnlyAttribute;
    if (info.isHidden())
        actual |= HiddenAttribute;
    if (info.isDir())
        actual |= DirectoryAttribute;
    return (actual & attributes) == attributes;
}

bool ValidFileName(const QString& text)
{
    static const QString forbidden = QStringLiteral("\"*+,/:;<=>?[]|");
    for (const QChar c : text) {
        if (forbidden.contains(c))
            return false;
    }
    return !HoldsDirectionControl(text);
}

bool HoldsDirectionControl(const QString& text)
{
    return bookformat::HoldsDirectionControl(text.toStdString());
}

std::optional<std::int32_t> ParseInteger(const QString& text)
{
    return bookformat::ParseInteger(text.toStdString());
}

bool IsNumber(const QString& text)
{
    return ParseInteger(text).has_value();
}

std::int32_t StrToInt(const QString& text)
{
    const std::optional<std::int32_t> value = ParseInteger(text);
    if (!value)
        throw ConvertError(text);
    return *value;
}

void SplitFirstWord(QString& text, QString& word)
{
    const qsizetype blank = text.indexOf(QLatin1Char(' '));
    if (blank < 0) {
        word.clear();
        return;
    }
    word = text.left(blank);
    text = text.mid(blank + 1);
}

bool FindInProject(const QString& projectDir, const QString& pattern, QString& name)
{
    const QStringList matches = EntriesMatching(projectDir, pattern);
    if (matches.isEmpty())
        return false;
    name = matches.first();
    return true;
}

bool FindEitherInProject(const QString& projectDir, const QString& pattern1,
                         const QString& pattern2, QString& name)
{
    QString found;
    if (!FindInProject(projectDir, pattern1, found) && !FindInProject(projectDir, pattern2, found))
        return false;
    if (name.isEmpty())
        name = found;
    return true;
}
