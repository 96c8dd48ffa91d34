// Introduction routines. Unlike the other sections, the introduction is recognised by the first
// seven characters of its header line.
#include "core/sections/introduction.h"

#include "core/files/filestore.h"
#include "core/files/textlines.h"
#include "core/sections/sectionfile.h"

namespace {

const QByteArrayView kIntroStart("[^INTRO");

QStringList introLines(const QStringList& textLines)
{
    return QStringList{QStringLiteral("[^INTRODUCTION^]"), QStringLiteral("source=INTRO"),
                       QStringLiteral("text=")} +
           textLines + QStringList{QStringLiteral("]")};
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
    bool found = false;
    LineReader reader(text.bytes);
    while (!reader.atEnd()) {
        if (!reader.next().startsWith(kIntroStart))
            continue;
        found = true;
        reader.next(); // source line
        reader.next(); // "text="
        while (!reader.atEnd()) {
            const QByteArrayView line = reader.next();
            if (!line.isEmpty() && line.front() == ']')
                break;
            textLines << text.decode(line);
        }
    }
    return found;
}

void ReplaceIntroEntry(const QString& file, const QStringList& textLines)
{
    SectionText text = ReadSectionText(file, SectionText::MustExist);
    const QStringList section = introLines(textLines);
    text.makeRoomFor(section);
    QByteArray out;
    out.reserve(text.bytes.size());
    LineReader reader(text.bytes);
    while (!reader.atEnd()) {
        const QByteArrayView line = reader.next();
        if (!line.startsWith(kIntroStart)) {
            AppendLine(out, line);
            continue;
        }
        while (!reader.atEnd() && reader.next() != QByteArrayView("]")) {
        }
        out.append(text.encodeLines(section));
    }
    text.bytes = out;
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
