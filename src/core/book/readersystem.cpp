#include "core/book/readersystem.h"

#include "core/files/textcodec.h"
#include "core/sections/sectionfile.h"

namespace {

const QString kName = QString::fromUtf8(bookformat::kReadersName);
const QString kSource = QString::fromUtf8(bookformat::kReadersSource);

} // namespace

ReaderSystem BookReaders(const QString& hyperTextFile)
{
    QStringList lines;
    if (!ReadEntry(hyperTextFile, kName, kSource, lines))
        return ReaderSystem::Linux;
    return bookformat::StoredReaders(textcodec::toUtf8Lines(lines)).value_or(ReaderSystem::Linux);
}

QString ReaderSystemTitle(ReaderSystem system)
{
    switch (system) {
    case ReaderSystem::Windows:
        return QStringLiteral("Windows");
    case ReaderSystem::Both:
        return QStringLiteral("Windows and Linux");
    case ReaderSystem::Linux:
        break;
    }
    return QStringLiteral("Linux");
}

void WriteBookReaders(const QString& hyperTextFile, ReaderSystem system)
{
    ReplaceSectionLines(hyperTextFile, kName, kSource,
                        textcodec::fromUtf8Lines(bookformat::ReadersSectionLines(system)));
}
