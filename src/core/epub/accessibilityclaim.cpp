#include "core/epub/accessibilityclaim.h"

#include "core/files/filestore.h"
#include "core/sections/sectionfile.h"

#include <QStringList>

namespace {

const QString kName = QStringLiteral("^ACCESSIBILITY^");
const QString kSource = QStringLiteral("BOOK");
const QString kKey = QStringLiteral("checkedby=");

} // namespace

std::optional<QString> AccessibilityCheckedBy(const QString& hyperTextFile)
{
    QStringList lines;
    if (!filestore::exists(hyperTextFile) || !ReadEntry(hyperTextFile, kName, kSource, lines))
        return std::nullopt;
    for (const QString& line : std::as_const(lines)) {
        if (line.startsWith(kKey, Qt::CaseInsensitive))
            return line.mid(kKey.size()).trimmed();
    }
    return std::nullopt;
}

void WriteAccessibilityCheckedBy(const QString& hyperTextFile, const std::optional<QString>& name)
{
    if (!name) {
        if (filestore::exists(hyperTextFile))
            DeleteEntry(hyperTextFile, kName, kSource);
        return;
    }
    // One line: a name typed with line breaks keeps only its words.
    const QString oneLine = name->simplified();
    ReplaceSectionLines(hyperTextFile, kName, kSource,
                        {QLatin1Char('[') + kName + QLatin1Char(']'),
                         QStringLiteral("source=") + kSource, kKey + oneLine, QStringLiteral("]"),
                         QString()});
}
