// The single-file pickers (module Hwvgetf, Hvdgetf, Hmdgetf, Hhtgetf).
#include "ui/common/getfileform.h"

#include "core/files/filenames.h"
#include "core/services/messages.h"
#include "platform/documents.h"
#include "platform/modal.h"
#include "preview/mediaactions.h"
#include "preview/mediaplayform.h"
#include "preview/showmultform.h"

#include <QLineEdit>

namespace {

PickerColumn fileColumn(TGetFileForm::Kind kind)
{
    switch (kind) {
    case TGetFileForm::Audio:
        return {QStringLiteral(" Select a .WAV  Audio  file "),
                QStringLiteral("*.WAV"),
                PickerChoice("WAV Files|*.WAV", "Select a WAV Voice File"),
                {QStringLiteral("*.wav")},
                QStringLiteral("No Voice file has been selected")};
    case TGetFileForm::Video:
        return {QStringLiteral(" Select .AVI Video file "),
                QStringLiteral("*.AVI"),
                PickerChoice("AVI Files|*.avi", "Select an AVI File"),
                {QStringLiteral("*.avi")},
                QStringLiteral("No Video file has been selected")};
    case TGetFileForm::Midi:
        return {QStringLiteral(" Select a MIDI file "),
                QStringLiteral("*.MID"),
                PickerChoice("MIDI Sound|*.mid", "Copy a MIDI file"),
                {QStringLiteral("*.mid")},
                QStringLiteral("No MIDI file has been selected")};
    case TGetFileForm::Html:
        return {QStringLiteral(" Enter HTML filename "),
                QStringLiteral("*.htm"),
                PickerChoice("HTML Files|*.HTM", "Select HTML Web Browser File"),
                {QStringLiteral("*.htm")},
                QStringLiteral("No HTML file has been selected")};
    }
    return {};
}

const char* fileFormName(TGetFileForm::Kind kind)
{
    switch (kind) {
    case TGetFileForm::Audio:
        return "TGetAudioForm";
    case TGetFileForm::Video:
        return "TGetVideoForm";
    case TGetFileForm::Midi:
        return "TGetMidiForm";
    case TGetFileForm::Html:
        return "TGetHTMForm";
    }
    return "";
}

int fileFormHelp(TGetFileForm::Kind kind)
{
    const int help[] = {530, 570, 580, 547};
    return help[kind];
}

} // namespace

TGetFileForm::TGetFileForm(Kind kind, const QString& file, QWidget* parent)
    : TPickerForm(QString::fromLatin1(fileFormName(kind)), fileFormHelp(kind), {fileColumn(kind)},
                  parent),
      Edit1(nameEdit()), FileListBox1(fileList()), GetBtn(findButton())
{
    Edit1->setText(kind == Html ? file.toUpper() : file);
    if (kind == Html) {
        Edit1->setReadOnly(true);
        // Filled from the list or by Find File, and kept in capitals.
        connect(Edit1, &QLineEdit::textChanged, this, [this](const QString& text) {
            if (text != text.toUpper())
                Edit1->setText(text.toUpper());
        });
    }
    if (kind == Video)
        setViewAlwaysEnabled();
    setPreview([this, kind] {
        const QString name = Edit1->text();
        if (name.isEmpty())
            return;
        if (kind == Audio)
            PlayWave(name);
        else if (kind == Html)
            OpenDocument(name);
        else // as the book plays it: the book's own prompt, the book's message for a lost file
            MediaSlot::get().showCommand(this, CurrentHyperPhrase(), name);
    });
    updateView();
}

namespace {

bool getFile(TGetFileForm::Kind kind, QString& command, QString& file, QWidget* parent)
{
    TGetFileForm form(kind, file, parent);
    if (RunModal(form) != QDialog::Accepted)
        return false;
    file = form.Edit1->text();
    command = file;
    return true;
}

} // namespace

bool GetAudio(QString& command, QString& voice, QWidget* parent)
{
    return getFile(TGetFileForm::Audio, command, voice, parent);
}

bool GetVideo(QString& command, QString& video, QWidget* parent)
{
    return getFile(TGetFileForm::Video, command, video, parent);
}

bool GetMidi(QString& command, QString& midi, QWidget* parent)
{
    return getFile(TGetFileForm::Midi, command, midi, parent);
}

bool GetHtml(QString& value, QWidget* parent)
{
    QString command;
    return getFile(TGetFileForm::Html, command, value, parent);
}
