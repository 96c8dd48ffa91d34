// The section-file engine. Files are read whole and walked line by line as bytes; only the lines
// handed back are decoded, which keeps lookups close to the cost of reading the file.
#include "core/sections/sectionfile.h"

#include "core/files/filenames.h"
#include "core/files/filestore.h"
#include "core/files/textlines.h"
#include "core/sections/displaysection.h"
#include "core/sections/sectionname.h"

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
                     const QStringList* replacement)
{
    SectionText text = ReadSectionText(file, SectionText::MustExist);
    if (replacement)
        text.makeRoomFor(*replacement);
    const QByteArray section = replacement ? text.encodeLines(*replacement) : QByteArray();
    const SectionNameMatcher wantedName(oldName, text.utf8);
    const SectionNameMatcher wantedSource(source, text.utf8);
    QByteArray out;
    out.reserve(text.bytes.size() + section.size());
    LineReader reader(text.bytes);
    while (!reader.atEnd()) {
        const QByteArrayView line = reader.next();
        if (!isHeader(line) || !wantedName.matches(headerName(line))) {
            AppendLine(out, line);
            continue;
        }
        const QByteArrayView sourceLine = reader.next();
        if (!wantedSource.matches(sourceOf(sourceLine))) {
            AppendLine(out, line);
            AppendLine(out, sourceLine);
            continue;
        }
        while (!reader.atEnd() && reader.next() != kTerminator) {
        }
        if (!reader.atEnd())
            reader.next(); // the empty line after the section
        out.append(section);
    }
    if (std::all_of(out.cbegin(), out.cend(), [](char c) { return c == '\r' || c == '\n'; })) {
        filestore::remove(file);
        return;
    }
    text.bytes = out;
    filestore::rewriteThroughScratch(file, ScratchFileName(file, QStringLiteral(".TMP")),
                                     text.fileBytes());
}

// Whether the header line at `at` names the wanted section. An ASCII name is told by the header's
// length and bytes alone, as most lookups are; of the other letters only U+017F and U+212A fold
// to ASCII ones, and only a UTF-8 file can hold them, so only such a file's headers that do not
// match byte for byte are read whole and folded.
bool headerNamed(QByteArrayView bytes, qsizetype at, const SectionNameMatcher& wanted, bool utf8)
{
    if (wanted.isAscii() && HeaderNameIs(bytes, at, wanted.asciiUpper()))
        return true;
    if (wanted.isAscii() && !utf8)
        return false;
    LineReader reader(bytes);
    reader.seek(at);
    const QByteArrayView line = reader.next();
    if (wanted.isAscii() && IsAscii(line))
        return false;
    return wanted.matches(headerName(line));
}

} // namespace

SectionText ReadSectionText(const QString& file, SectionText::Missing missing)
{
    SectionText text;
    if (missing == SectionText::ReadsEmpty && !filestore::exists(file))
        return text;
    text.bytes = filestore::readAll(file);
    textcodec::withoutMark(text.bytes, &text.utf8);
    if (text.utf8)
        text.bytes.remove(0, textcodec::kUtf8Mark.size());
    return text;
}

void SectionText::makeRoomFor(const QStringList& lines)
{
    if (utf8 || std::all_of(lines.cbegin(), lines.cend(), textcodec::fitsWindows1252))
        return;
    bytes = textcodec::decode(bytes).toUtf8();
    utf8 = true;
}

QByteArray SectionText::encodeLines(const QStringList& lines) const
{
    QByteArray out;
    for (const QString& line : lines)
        AppendLine(out, textcodec::encodeAs(line, utf8));
    return out;
}

QString SectionText::decode(QByteArrayView line) const
{
    return textcodec::decodeAs(line, utf8);
}

QByteArray SectionText::fileBytes() const
{
    return utf8 ? textcodec::kUtf8Mark.toByteArray() + bytes : bytes;
}

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
    bool utf8 = false;
    const QByteArrayView bytes = textcodec::withoutMark(mapped.bytes(), &utf8);
    const SectionNameMatcher wantedName(name, utf8);
    const SectionNameMatcher wantedSource(source, utf8);
    bool found = false;
    LineReader reader(bytes);
    for (qsizetype at = NextBracketLine(bytes, 0); at >= 0;
         at = NextBracketLine(bytes, reader.position())) {
        reader.seek(at + 1);
        if (!headerNamed(bytes, at, wantedName, utf8))
            continue;
        reader.seek(at);
        const QByteArrayView line = reader.next();
        const QByteArrayView sourceLine = reader.next();
        if (!wantedSource.matches(sourceOf(sourceLine)))
            continue;
        found = true;
        lines.clear();
        lines << textcodec::decodeAs(headerName(line), utf8)
              << textcodec::decodeAs(sourceLine, utf8);
        while (!reader.atEnd()) {
            const QByteArrayView body = reader.next();
            lines << textcodec::decodeAs(body, utf8);
            if (body == kTerminator)
                break;
        }
    }
    return found;
}

void ListEntries(QStringList& names, const QString& file, const QString& source)
{
    const SectionText text = ReadSectionText(file);
    const SectionNameMatcher wantedSource(source, text.utf8);
    LineReader reader(text.bytes);
    while (!reader.atEnd()) {
        const QByteArrayView line = reader.next();
        if (!isHeader(line))
            continue;
        const QByteArrayView sourceLine = reader.next();
        const qsizetype equals = sourceLine.indexOf('=');
        if (wantedSource.matches(sourceLine.sliced(equals + 1)))
            names << text.decode(headerName(line));
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
    if (!filestore::exists(file) || SectionNameKey(newName) == SectionNameKey(oldName))
        return false;
    const SectionText text = ReadSectionText(file);
    const SectionNameMatcher wantedName(newName, text.utf8);
    const SectionNameMatcher wantedSource(source, text.utf8);
    LineReader reader(text.bytes);
    while (!reader.atEnd()) {
        const QByteArrayView line = reader.next();
        if (isHeader(line) && wantedName.matches(headerName(line)) &&
            wantedSource.matches(sourceOf(reader.next())))
            return true;
    }
    return false;
}

void AppendSectionLines(const QString& file, const QStringList& lines)
{
    SectionText text = ReadSectionText(file);
    text.makeRoomFor(lines);
    // A last line without its line end would swallow the new header.
    if (!text.bytes.isEmpty() && !text.bytes.endsWith('\n') && !text.bytes.endsWith('\r'))
        text.bytes.append("\r\n");
    text.bytes.append(text.encodeLines(lines));
    filestore::writeAll(file, text.fileBytes());
}

void AddEntry(const QString& file, const QString& name, int typeCode, const QString& command,
              const QString& source)
{
    AppendSectionLines(file, simpleSectionLines(name, typeCode, command, source));
}

void ReplaceEntry(const QString& file, const QString& newName, const QString& oldName, int typeCode,
                  const QString& command, const QString& source)
{
    const QStringList section = simpleSectionLines(newName, typeCode, command, source);
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
    const QStringList section = DisplaySectionLines(newName, source, typeCode, display, textLines);
    rewriteSections(file, oldName, source, &section);
}

void DeleteEntry(const QString& file, const QString& name, const QString& source)
{
    if (!filestore::exists(file))
        return;
    rewriteSections(file, name, source, nullptr);
}

void ReplaceSectionLines(const QString& file, const QString& name, const QString& source,
                         const QStringList& lines)
{
    QStringList found;
    if (ReadEntry(file, name, source, found))
        rewriteSections(file, name, source, &lines);
    else
        AppendSectionLines(file, lines);
}
