// The HyperText dispatcher.
#include "preview/entrydispatch.h"

#include "core/files/projectpath.h"
#include "core/pictures/commandvalue.h"
#include "core/sections/displaysection.h"
#include "core/sections/hypertext.h"
#include "core/services/messages.h"
#include "platform/documents.h"
#include "platform/modal.h"
#include "preview/hnotesform.h"
#include "preview/mediaactions.h"
#include "preview/showhtextform.h"
#include "preview/txtvpdispform.h"

namespace {

void showDisplayEntry(HyperTextType type, const QStringList& lines, QWidget* parent)
{
    DisplayRecord display = DefaultDisplay();
    QStringList text;
    ParseDisplayEntry(lines, display, text);
    if (type == HyperTextType::TextOnly) {
        TShowHTextForm popup(display, text, parent);
        RunModal(popup);
    } else {
        TTxtVPDispForm screen(display, text, parent);
        RunModal(screen);
    }
}

} // namespace

void ShowEntry(const QStringList& lines, QWidget* parent)
{
    if (lines.isEmpty())
        return;
    QString phrase = lines.at(0);
    if (phrase.startsWith(QLatin1Char('[')))
        phrase = phrase.mid(1, phrase.size() - 2);
    // The phrase is the caption of what opens; a damaged file's name of megabytes is cut.
    if (phrase.size() > kMaxShownEntryName)
        phrase = phrase.left(kMaxShownEntryName) + QStringLiteral("...");
    CurrentHyperPhrase() = phrase;
    const HyperTextType type = EntryType(lines);
    if (type == HyperTextType::TextOnly || type == HyperTextType::GraphicAndText) {
        showDisplayEntry(type, lines, parent);
        return;
    }
    const QString command = EntryCommand(lines);
    RunLinkCommand(type, phrase, command, parent,
                   QStringLiteral("The HyperText entry \"%1\"").arg(phrase));
}

namespace {

// The files of the book a command opens, each of which must be a bare name of its folder.
QStringList filesOf(HyperTextType type, const QString& value)
{
    switch (type) {
    case HyperTextType::GraphicOnly:
    case HyperTextType::VoiceOnly:
    case HyperTextType::GraphicAndSound:
    case HyperTextType::VideoPlayer:
    case HyperTextType::MidiPlayer: {
        const ShowCommandParts parts = ParseShowCommand(value);
        QStringList names;
        for (const QString& name : {parts.picture, parts.sound, parts.video}) {
            if (!name.isEmpty())
                names << name;
        }
        return names;
    }
    case HyperTextType::ExecutableProgram:
    case HyperTextType::WindowsProgram: {
        const QStringList words = ProgramArguments(type, value, QString());
        return words.isEmpty() ? QStringList() : QStringList{words.first()};
    }
    case HyperTextType::HtmlFile:
        return IsWebAddress(value) || value.isEmpty() ? QStringList() : QStringList{value};
    case HyperTextType::NotePad:
        return value.isEmpty() ? QStringList() : QStringList{value};
    default:
        return {};
    }
}

} // namespace

void RunLinkCommand(HyperTextType type, const QString& caption, const QString& value,
                    QWidget* parent, const QString& owner)
{
    // A book reaches only the files of its own folder, whoever made it.
    for (const QString& name : filesOf(type, value)) {
        if (!IsBookFileName(name)) {
            ShowError(NotABookFileMessage(owner, name));
            return;
        }
    }
    switch (type) {
    case HyperTextType::GraphicOnly:
    case HyperTextType::VoiceOnly:
    case HyperTextType::GraphicAndSound:
    case HyperTextType::VideoPlayer:
    case HyperTextType::MidiPlayer:
        MediaSlot::get().showCommand(parent, caption, value);
        break;
    case HyperTextType::ExecutableProgram:
    case HyperTextType::WindowsProgram:
        MediaSlot::get().runProgram(parent, type, value);
        break;
    case HyperTextType::HtmlFile:
        // An address leaves the book: the reader is asked before the browser gets it.
        if (!IsWebAddress(value) ||
            Confirm(QStringLiteral("This e-book wants to open the address ") + value +
                    QStringLiteral(" in the web browser.\n\r\n\rDo you allow it?")))
            OpenDocument(value);
        break;
    case HyperTextType::NotePad:
        OpenNotepad(value, parent);
        break;
    case HyperTextType::None:
    case HyperTextType::TextOnly:
    case HyperTextType::GraphicAndText:
        break;
    }
}

QString& CurrentHyperPhrase()
{
    static QString phrase;
    return phrase;
}
