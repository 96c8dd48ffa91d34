// Link definitions read from and written to the HyperText file.
#include "core/sections/linkdefinition.h"

#include "core/files/filenames.h"
#include "core/sections/displaysection.h"
#include "core/sections/hypertext.h"

namespace {

// The number in the (at most five) characters after a comma of the command.
int durationAfter(const QString& command, qsizetype comma)
{
    return comma < 0 ? 0 : StrToInt(command.mid(comma + 1, 5));
}

void fill(LinkDefinition& link, int type, const QStringList& lines)
{
    const QString command = EntryCommand(lines);
    const QStringList parts = command.split(QLatin1Char(','));
    switch (ToHyperTextType(type)) {
    case HyperTextType::TextOnly:
    case HyperTextType::GraphicAndText:
        ParseDisplayEntry(lines, link.display, link.textLines);
        break;
    case HyperTextType::GraphicOnly:
        link.command = command;
        link.graphic = parts.value(0);
        link.duration = durationAfter(command, command.indexOf(QLatin1Char(',')));
        break;
    case HyperTextType::GraphicAndSound: {
        link.command = command;
        link.graphic = parts.value(0);
        link.sound = parts.value(1);
        const qsizetype first = command.indexOf(QLatin1Char(','));
        link.duration =
            durationAfter(command, first < 0 ? -1 : command.indexOf(QLatin1Char(','), first + 1));
        break;
    }
    case HyperTextType::VoiceOnly:
        link.command = link.voice = command;
        break;
    case HyperTextType::VideoPlayer:
        link.command = link.video = command;
        break;
    case HyperTextType::MidiPlayer:
        link.command = link.midi = command;
        break;
    case HyperTextType::ExecutableProgram:
    case HyperTextType::WindowsProgram:
    case HyperTextType::HtmlFile:
        link.command = link.program = command;
        break;
    case HyperTextType::NotePad:
        link.command = command;
        break;
    case HyperTextType::None:
        break;
    }
}

} // namespace

DisplayRecord LinkDisplayDefaults()
{
    return DefaultDisplay(); // the book's default display is exactly that
}

LinkDefinition LoadLinkDefinition(const QString& hyperTextFile, const QString& phrase)
{
    LinkDefinition link;
    if (!EntryExists(hyperTextFile, phrase, QString(), kHyperSource))
        return link;
    link.editMode = true;
    QStringList lines;
    if (!ReadEntry(hyperTextFile, phrase, kHyperSource, lines)) {
        link.selectedType = link.enteredType = 0;
        return link;
    }
    link.oldName = lines.value(0);
    const int stored = lines.size() > 2 ? StrToInt(EntryLineValue(lines.at(2))) : 0;
    const bool known = ToHyperTextType(stored) != HyperTextType::None;
    link.enteredType = stored;
    link.selectedType = known ? stored : 0;
    if (known)
        fill(link, stored, lines);
    return link;
}

LinkSaveResult SaveLinkDefinition(const LinkDefinition& link, const QString& hyperTextFile,
                                  const QString& phrase)
{
    if (link.enteredType != link.selectedType)
        return LinkSaveResult::NoData;
    const HyperTextType type = ToHyperTextType(link.selectedType);
    switch (type) {
    case HyperTextType::TextOnly:
    case HyperTextType::GraphicAndText:
        if (link.textLines.isEmpty())
            return LinkSaveResult::NoText;
        if (link.editMode)
            ReplaceDisplayEntry(hyperTextFile, phrase, link.oldName, link.selectedType,
                                link.display, link.textLines, kHyperSource);
        else
            AddDisplayEntry(hyperTextFile, phrase, link.selectedType, link.display, link.textLines,
                            kHyperSource);
        return LinkSaveResult::Written;
    case HyperTextType::None:
        return LinkSaveResult::NothingDone;
    default:
        break;
    }
    // A notepad link may name no file yet; a media or program link without a command is ignored.
    if (link.command.isEmpty() && type != HyperTextType::NotePad)
        return LinkSaveResult::NothingDone;
    if (link.editMode)
        ReplaceEntry(hyperTextFile, phrase, link.oldName, link.selectedType, link.command,
                     kHyperSource);
    else
        AddEntry(hyperTextFile, phrase, link.selectedType, link.command, kHyperSource);
    return LinkSaveResult::Written;
}
