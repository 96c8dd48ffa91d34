// The HyperText dispatcher: the format library decides, the screens and services act.
#include "preview/entrydispatch.h"

#include "core/files/projectpath.h"
#include "core/files/textcodec.h"
#include "core/sections/displaysection.h"
#include "core/services/messages.h"
#include "format/reader/linkaction.h"
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

void act(const bookformat::LinkAction& action, QWidget* parent)
{
    using Kind = bookformat::LinkActionKind;
    const QString caption = QString::fromStdString(action.caption);
    const QString value = QString::fromStdString(action.value);
    switch (action.kind) {
    case Kind::Show:
        MediaSlot::get().showCommand(parent, caption, value);
        break;
    case Kind::Program:
        MediaSlot::get().runProgram(parent, action.type, value);
        break;
    case Kind::WebAddress:
        if (Confirm(QString::fromStdString(action.message)))
            OpenDocument(value);
        break;
    case Kind::Page:
        OpenDocument(value);
        break;
    case Kind::Notepad:
        OpenNotepad(value, parent);
        break;
    case Kind::Refused:
        ShowError(QString::fromStdString(action.message));
        break;
    case Kind::PopupText:
    case Kind::TextScreen:
    case Kind::Nothing:
        break;
    }
}

} // namespace

void ShowEntry(const QStringList& lines, QWidget* parent)
{
    const bookformat::LinkAction action =
        bookformat::DecideClick(textcodec::toUtf8Lines(lines), IsBookFileNameUtf8);
    if (lines.isEmpty())
        return;
    CurrentHyperPhrase() = QString::fromStdString(action.caption);
    if (action.kind == bookformat::LinkActionKind::PopupText ||
        action.kind == bookformat::LinkActionKind::TextScreen) {
        showDisplayEntry(action.type, lines, parent);
        return;
    }
    act(action, parent);
}

void RunLinkCommand(HyperTextType type, const QString& caption, const QString& value,
                    QWidget* parent, const QString& owner)
{
    act(bookformat::DecideCommand(type, caption.toStdString(), value.toStdString(),
                                  owner.toStdString(), IsBookFileNameUtf8),
        parent);
}

QString& CurrentHyperPhrase()
{
    static QString phrase;
    return phrase;
}
