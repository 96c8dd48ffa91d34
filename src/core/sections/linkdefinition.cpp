// Link definitions read from and written to the HyperText file.
#include "core/sections/linkdefinition.h"

#include "core/files/filenames.h"
#include "core/files/runtimeerror.h"
#include "core/sections/alttext.h"
#include "core/sections/displaysection.h"
#include "core/sections/hypertext.h"
#include "format/sections/linkvalues.h"

namespace {

void fill(LinkDefinition& link, HyperTextType type, const QStringList& lines)
{
    if (type == HyperTextType::TextOnly || type == HyperTextType::GraphicAndText) {
        ParseDisplayEntry(lines, link.display, link.textLines);
        return;
    }
    link.command = EntryCommand(lines);
    const bookformat::LinkValues values =
        WithQtErrors([&] { return bookformat::ReadLinkValues(type, link.command.toStdString()); });
    link.graphic = QString::fromStdString(values.graphic);
    link.sound = QString::fromStdString(values.sound);
    link.voice = QString::fromStdString(values.voice);
    link.video = QString::fromStdString(values.video);
    link.midi = QString::fromStdString(values.midi);
    link.program = QString::fromStdString(values.program);
    link.duration = values.duration;
}

// Writes the section itself.
LinkSaveResult saveEntry(const LinkDefinition& link, const QString& hyperTextFile,
                         const QString& phrase);

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
    link.altText = AltText(hyperTextFile, phrase);
    const int stored = lines.size() > 2 ? StrToInt(EntryLineValue(lines.at(2))) : 0;
    const bool known = ToHyperTextType(stored) != HyperTextType::None;
    link.enteredType = stored;
    link.selectedType = known ? stored : 0;
    if (known)
        fill(link, ToHyperTextType(stored), lines);
    return link;
}

bool TakesAltText(int type)
{
    switch (ToHyperTextType(type)) {
    case HyperTextType::GraphicOnly:
    case HyperTextType::VoiceOnly:
    case HyperTextType::GraphicAndText:
    case HyperTextType::GraphicAndSound:
    case HyperTextType::VideoPlayer:
    case HyperTextType::MidiPlayer:
        return true;
    default:
        return false;
    }
}

LinkSaveResult SaveLinkDefinition(const LinkDefinition& link, const QString& hyperTextFile,
                                  const QString& phrase)
{
    const LinkSaveResult result = saveEntry(link, hyperTextFile, phrase);
    if (result == LinkSaveResult::Written)
        WriteAltText(hyperTextFile, phrase,
                     TakesAltText(link.selectedType) ? link.altText : QString(), link.oldName);
    return result;
}

namespace {

LinkSaveResult saveEntry(const LinkDefinition& link, const QString& hyperTextFile,
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

} // namespace
