// The section-file engine: the files' rules are the format library's
// (format/sections/sectionrules.h); here they are read, mapped and rewritten, and their texts
// handed over as QString.
#include "core/sections/sectionfile.h"

#include "core/files/filenames.h"
#include "core/files/filestore.h"
#include "core/files/textcodec.h"
#include "core/sections/displaysection.h"
#include "core/sections/sectionname.h"
#include "format/sections/hypertextentry.h"
#include "format/sections/sectionrules.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

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
    const std::string out =
        bookformat::ReplaceSections(textcodec::view(text.bytes), text.utf8, oldName.toStdString(),
                                    source.toStdString(), textcodec::view(section));
    if (std::all_of(out.cbegin(), out.cend(), [](char c) { return c == '\r' || c == '\n'; })) {
        filestore::remove(file);
        return;
    }
    text.bytes = QByteArray::fromStdString(out);
    filestore::rewriteThroughScratch(file, ScratchFileName(file, QStringLiteral(".TMP")),
                                     text.fileBytes());
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
    bytes = QByteArray::fromStdString(bookformat::DecodeSectionText(textcodec::view(bytes), false));
    utf8 = true;
}

QByteArray SectionText::encodeLines(const QStringList& lines) const
{
    return QByteArray::fromStdString(
        bookformat::EncodeSectionLines(textcodec::toUtf8Lines(lines), utf8));
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
    const std::string_view content = bookformat::WithoutMark(textcodec::view(mapped.bytes()), utf8);
    const auto found =
        bookformat::FindSection(content, utf8, name.toStdString(), source.toStdString());
    if (found)
        lines = textcodec::fromUtf8Lines(*found);
    return found.has_value();
}

void ListEntries(QStringList& names, const QString& file, const QString& source)
{
    const SectionText text = ReadSectionText(file);
    names << textcodec::fromUtf8Lines(
        bookformat::SectionNames(textcodec::view(text.bytes), text.utf8, source.toStdString()));
}

QString SelectEntry(const QString& file, const QString& source, const QString& caption,
                    int helpContext)
{
    QStringList names;
    ListEntries(names, file, source);
    if (names.isEmpty())
        return {};
    QStringList shown;
    for (const QString& name : std::as_const(names))
        shown << QString::fromStdString(bookformat::ShownEntryName(name.toStdString()));
    const int chosen = ChooserSlot::get().choose(shown, 0, helpContext, caption);
    return chosen >= 0 && chosen < names.size() ? names.at(chosen) : QString();
}

bool EntryExists(const QString& file, const QString& newName, const QString& oldName,
                 const QString& source)
{
    if (!filestore::exists(file) || SectionNameKey(newName) == SectionNameKey(oldName))
        return false;
    const SectionText text = ReadSectionText(file);
    return bookformat::HasSection(textcodec::view(text.bytes), text.utf8, newName.toStdString(),
                                  source.toStdString());
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
