// Introduction routines: the section's rules are the format library's
// (format/sections/introsection.h).
#include "core/sections/introduction.h"

#include "core/files/filestore.h"
#include "core/files/textcodec.h"
#include "core/sections/sectionfile.h"
#include "format/sections/introsection.h"

namespace {

QStringList introLines(const QStringList& textLines)
{
    return textcodec::fromUtf8Lines(
        bookformat::IntroSectionLines(textcodec::toUtf8Lines(textLines)));
}

} // namespace

void AddIntroEntry(const QString& file, const QStringList& textLines)
{
    AppendSectionLines(file, introLines(textLines) << QString());
}

bool ReadIntroEntry(const QString& file, QStringList& textLines)
{
    if (!filestore::exists(file))
        return false;
    const SectionText text = ReadSectionText(file);
    const auto found = bookformat::FindIntroText(textcodec::view(text.bytes), text.utf8);
    if (found)
        textLines << textcodec::fromUtf8Lines(*found);
    return found.has_value();
}

void ReplaceIntroEntry(const QString& file, const QStringList& textLines)
{
    SectionText text = ReadSectionText(file, SectionText::MustExist);
    const QStringList section = introLines(textLines);
    text.makeRoomFor(section);
    text.bytes = QByteArray::fromStdString(bookformat::ReplaceIntroSections(
        textcodec::view(text.bytes), textcodec::view(text.encodeLines(section))));
    filestore::rewriteThroughScratch(file, ScratchFileName(file, QStringLiteral(".$$$")),
                                     text.fileBytes());
}

IntroSave SaveIntroduction(const QString& file, bool shown, bool edited, bool existed,
                           const QStringList& textLines)
{
    // Not showing the introduction keeps its text: only the author's own deleting removes it.
    if (!edited)
        return IntroSave::Kept;
    if (textLines.isEmpty()) {
        DeleteEntry(file, kIntroName, kIntroSource);
        return shown ? IntroSave::Empty : IntroSave::Removed;
    }
    if (existed && filestore::exists(file))
        ReplaceIntroEntry(file, textLines);
    else
        AddIntroEntry(file, textLines);
    return IntroSave::Written;
}
