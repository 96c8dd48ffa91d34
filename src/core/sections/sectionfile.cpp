// The section-file engine. Files are read whole and walked line by line as bytes; only the lines
// handed back are decoded, which keeps lookups close to the cost of reading the file.
#include "core/sections/sectionfile.h"

#include "core/files/filenames.h"
#include "core/files/filestore.h"
#include "core/files/textlines.h"
#include "core/sections/displaysection.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

const QByteArrayView kTerminator("]");

bool isHeader(QByteArrayView line)
{
    return !line.isEmpty() && line.front() == '[';
}

// The text between the first and the last character of a header line.
QByteArrayView headerName(QByteArrayView line)
{
    return line.size() >= 2 ? line.sliced(1, line.size() - 2) : QByteArrayView();
}

// The source of a source line: what follows "source=".
QByteArrayView sourceOf(QByteArrayView line)
{
    return line.size() > 7 ? line.sliced(7) : QByteArrayView();
}

QByteArray encoded(const QString& text)
{
    return textcodec::encode(text);
}

QByteArray readIfExists(const QString& file)
{
    return filestore::exists(file) ? filestore::readAll(file) : QByteArray();
}

QByteArray linesBytes(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        AppendLine(bytes, encoded(line));
    return bytes;
}

QStringList simpleSectionLines(const QString& name, int typeCode, const QString& command,
                               const QString& source)
{
    return {QLatin1Char('[') + name + QLatin1Char(']'),
            QStringLiteral("source=") + source,
            QStringLiteral("type=") + QString::number(typeCode),
            QStringLiteral("command=") + command,
            QStringLiteral("]"),
            QString()};
}

// The shared rewrite of replace and delete: every section (oldName, source) is dropped, and
// `replacement` (when given) written in its place. A file left without any text is deleted.
void rewriteSections(const QString& file, const QString& oldName, const QString& source,
                     const QByteArray* replacement)
{
    const QByteArray bytes = filestore::readAll(file);
    const QByteArray wantedName = encoded(oldName);
    const QByteArray wantedSource = encoded(source);
    QByteArray out;
    out.reserve(bytes.size() + (replacement ? replacement->size() : 0));
    LineReader reader(bytes);
    while (!reader.atEnd()) {
        const QByteArrayView line = reader.next();
        if (!isHeader(line) || !SameAsciiUpper(headerName(line), wantedName)) {
            AppendLine(out, line);
            continue;
        }
        const QByteArrayView sourceLine = reader.next();
        if (!SameAsciiUpper(sourceOf(sourceLine), wantedSource)) {
            AppendLine(out, line);
            AppendLine(out, sourceLine);
            continue;
        }
        while (!reader.atEnd() && reader.next() != kTerminator) {
        }
        if (!reader.atEnd())
            reader.next(); // the empty line after the section
        if (replacement)
            out.append(*replacement);
    }
    if (std::all_of(out.cbegin(), out.cend(), [](char c) { return c == '\r' || c == '\n'; })) {
        filestore::remove(file);
        return;
    }
    filestore::rewriteThroughScratch(file, ScratchFileName(file, QStringLiteral(".TMP")), out);
}

} // namespace

QString ScratchFileName(const QString& file, const QString& extension)
{
    const QFileInfo info(file);
    return QDir(info.path()).filePath(BaseName(file) + extension);
}

bool ReadEntry(const QString& file, const QString& name, const QString& source, QStringList& lines)
{
    if (!filestore::exists(file))
        return false;
    const filestore::MappedFile mapped(file);
    const QByteArrayView bytes = mapped.bytes();
    const QByteArray wantedName = AsciiUpper(encoded(name));
    const QByteArray wantedSource = encoded(source);
    bool found = false;
    LineReader reader(bytes);
    for (qsizetype at = NextBracketLine(bytes, 0); at >= 0;
         at = NextBracketLine(bytes, reader.position())) {
        reader.seek(at + 1);
        if (!HeaderNameIs(bytes, at, wantedName))
            continue;
        reader.seek(at);
        const QByteArrayView line = reader.next();
        const QByteArrayView sourceLine = reader.next();
        if (!SameAsciiUpper(sourceOf(sourceLine), wantedSource))
            continue;
        found = true;
        lines.clear();
        lines << textcodec::decode(headerName(line).toByteArray())
              << textcodec::decode(sourceLine.toByteArray());
        while (!reader.atEnd()) {
            const QByteArrayView body = reader.next();
            lines << textcodec::decode(body.toByteArray());
            if (body == kTerminator)
                break;
        }
    }
    return found;
}

void ListEntries(QStringList& names, const QString& file, const QString& source)
{
    const QByteArray bytes = readIfExists(file);
    const QByteArray wantedSource = encoded(source);
    LineReader reader(bytes);
    while (!reader.atEnd()) {
        const QByteArrayView line = reader.next();
        if (!isHeader(line))
            continue;
        const QByteArrayView sourceLine = reader.next();
        const qsizetype equals = sourceLine.indexOf('=');
        if (SameAsciiUpper(sourceLine.sliced(equals + 1), wantedSource))
            names << textcodec::decode(headerName(line).toByteArray());
    }
}

QString SelectEntry(const QString& file, const QString& source, const QString& caption,
                    int helpContext)
{
    QStringList names;
    ListEntries(names, file, source);
    if (names.isEmpty())
        return {};
    // A name no phrase can have (a damaged or hostile file) is shown cut: a list line of
    // megabytes would keep the window busy for minutes.
    QStringList shown = names;
    for (QString& name : shown) {
        if (name.size() > kMaxShownEntryName)
            name = name.left(kMaxShownEntryName) + QStringLiteral("...");
    }
    const int chosen = ChooserSlot::get().choose(shown, 0, helpContext, caption);
    return chosen >= 0 && chosen < names.size() ? names.at(chosen) : QString();
}

bool EntryExists(const QString& file, const QString& newName, const QString& oldName,
                 const QString& source)
{
    const QByteArray wantedName = encoded(newName);
    if (!filestore::exists(file) || SameAsciiUpper(wantedName, encoded(oldName)))
        return false;
    const QByteArray bytes = filestore::readAll(file);
    const QByteArray wantedSource = encoded(source);
    LineReader reader(bytes);
    while (!reader.atEnd()) {
        const QByteArrayView line = reader.next();
        if (isHeader(line) && SameAsciiUpper(headerName(line), wantedName) &&
            SameAsciiUpper(sourceOf(reader.next()), wantedSource))
            return true;
    }
    return false;
}

void AppendSectionLines(const QString& file, const QStringList& lines)
{
    QByteArray bytes = readIfExists(file);
    // A last line without its line end would swallow the new header.
    if (!bytes.isEmpty() && !bytes.endsWith('\n') && !bytes.endsWith('\r'))
        bytes.append("\r\n");
    bytes.append(linesBytes(lines));
    filestore::writeAll(file, bytes);
}

void AddEntry(const QString& file, const QString& name, int typeCode, const QString& command,
              const QString& source)
{
    AppendSectionLines(file, simpleSectionLines(name, typeCode, command, source));
}

void ReplaceEntry(const QString& file, const QString& newName, const QString& oldName, int typeCode,
                  const QString& command, const QString& source)
{
    const QByteArray section = linesBytes(simpleSectionLines(newName, typeCode, command, source));
    rewriteSections(file, oldName, source, &section);
}

void AddDisplayEntry(const QString& file, const QString& name, int typeCode,
                     const DisplayRecord& display, const QStringList& textLines,
                     const QString& source)
{
    AppendSectionLines(file, DisplaySectionLines(name, source, typeCode, display, textLines));
}

void ReplaceDisplayEntry(const QString& file, const QString& newName, const QString& oldName,
                         int typeCode, const DisplayRecord& display, const QStringList& textLines,
                         const QString& source)
{
    const QByteArray section =
        linesBytes(DisplaySectionLines(newName, source, typeCode, display, textLines));
    rewriteSections(file, oldName, source, &section);
}

void DeleteEntry(const QString& file, const QString& name, const QString& source)
{
    if (!filestore::exists(file))
        return;
    rewriteSections(file, name, source, nullptr);
}
