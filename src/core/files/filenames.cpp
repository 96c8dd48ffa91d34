// File-name, number and word helpers.
#include "core/files/filenames.h"

#include "core/files/projectpath.h"
#include "core/files/runtimeerror.h"

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

int digitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (base == 16 && u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (base == 16 && u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

std::optional<std::int64_t> parseDigits(QStringView digits, int base)
{
    if (digits.isEmpty())
        return std::nullopt;
    std::int64_t value = 0;
    for (const QChar c : digits) {
        const int digit = digitValue(c, base);
        if (digit < 0)
            return std::nullopt;
        value = value * base + digit;
        if (value > 0xFFFFFFFFLL)
            return std::nullopt;
    }
    return value;
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
    return true;
}

std::optional<std::int32_t> ParseInteger(const QString& text)
{
    QStringView rest(text);
    while (!rest.isEmpty() && rest.front() == QLatin1Char(' '))
        rest = rest.mid(1);
    bool negative = false;
    if (!rest.isEmpty() && (rest.front() == QLatin1Char('-') || rest.front() == QLatin1Char('+'))) {
        negative = rest.front() == QLatin1Char('-');
        rest = rest.mid(1);
    }
    int base = 10;
    if (rest.startsWith(QLatin1Char('$'))) {
        base = 16;
        rest = rest.mid(1);
    } else if (rest.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        base = 16;
        rest = rest.mid(2);
    }
    const std::optional<std::int64_t> magnitude = parseDigits(rest, base);
    if (!magnitude)
        return std::nullopt;
    std::int64_t value = negative ? -*magnitude : *magnitude;
    if (base == 16)
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(value & 0xFFFFFFFF));
    if (value < INT32_MIN || value > INT32_MAX)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
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
