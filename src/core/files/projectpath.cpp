// Case-blind name resolution and mask matching for the project directory.
#include "core/files/projectpath.h"

#include "format/reader/bookfiles.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace {

QStringList expandedPatterns(const QString& mask)
{
    QStringList patterns;
    bool namesPrograms = false;
    bool namesHelp = false;
    for (const QString& part : mask.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString pattern = part.trimmed();
        patterns << pattern;
        namesPrograms |= pattern.compare(QLatin1String("*.exe"), Qt::CaseInsensitive) == 0;
        namesHelp |= pattern.compare(QLatin1String("*.hlp"), Qt::CaseInsensitive) == 0;
    }
    if (namesPrograms)
        patterns << QStringLiteral("*.sh");
    if (namesHelp)
        patterns << QStringLiteral("*.htm") << QStringLiteral("*.html");
    return patterns;
}

bool wildcardMatch(const QString& fileName, const QString& pattern)
{
    const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(
                                    pattern, QRegularExpression::UnanchoredWildcardConversion),
                                QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = re.match(fileName);
    return m.hasMatch() && m.capturedStart() == 0 && m.capturedLength() == fileName.size();
}

bool masksPrograms(const QString& mask)
{
    return mask.contains(QLatin1String("*.exe"), Qt::CaseInsensitive);
}

} // namespace

QString ResolveProjectName(const QString& name)
{
    if (name.isEmpty() || QFileInfo::exists(name))
        return name;
    const QFileInfo info(name);
    const QDir folder = info.dir();
    const QString bare = info.fileName();
    const QStringList entries =
        folder.entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (entry.compare(bare, Qt::CaseInsensitive) == 0)
            return name.left(name.size() - bare.size()) + entry;
    }
    return name;
}

bool MatchesMask(const QString& fileName, const QString& mask, const QString& folder)
{
    const QStringList patterns = expandedPatterns(mask);
    for (const QString& pattern : patterns) {
        if (wildcardMatch(fileName, pattern))
            return true;
    }
    if (masksPrograms(mask)) {
        const QFileInfo info(QDir(folder).filePath(fileName));
        return info.isFile() && info.isExecutable();
    }
    return false;
}

QStringList EntriesMatching(const QString& folder, const QString& mask, QDir::Filters filters)
{
    QStringList matches;
    const QDir dir(folder);
    for (const QString& entry : dir.entryList(filters, QDir::Name | QDir::IgnoreCase)) {
        if (MatchesMask(entry, mask, folder))
            matches << entry;
    }
    return matches;
}

bool LeadsOutOfItsFolder(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isSymLink())
        return false;
    // A dangling link has no canonical path: its stated target is judged instead.
    const QString target =
        info.canonicalFilePath().isEmpty() ? info.symLinkTarget() : info.canonicalFilePath();
    const QString targetFolder = QFileInfo(QFileInfo(target).absolutePath()).canonicalFilePath();
    return targetFolder.isEmpty() ||
           targetFolder != QFileInfo(info.absolutePath()).canonicalFilePath();
}

bool IsBookFileName(const QString& name)
{
    return bookformat::IsBareFileName(name.toStdString()) &&
           !LeadsOutOfItsFolder(ResolveProjectName(name));
}

bool IsBookFileNameUtf8(std::string_view name)
{
    return IsBookFileName(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
}

QString NotABookFileMessage(const QString& owner, const QString& name)
{
    return QString::fromStdString(
        bookformat::NotABookFileMessage(owner.toStdString(), name.toStdString()));
}
