// The picture-and-sound picker (module Hgagetf).
#include "ui/common/getgraudioform.h"

#include "core/files/filenames.h"
#include "core/services/messages.h"
#include "platform/modal.h"
#include "preview/mediaactions.h"
#include "preview/showmultform.h"
#include "ui/common/getgraphicform.h"

#include <QLineEdit>

TGetGrAudioForm::TGetGrAudioForm(const QString& graphic, const QString& sound, int duration,
                                 QWidget* parent)
    : TPickerForm(QStringLiteral("TGetGrAudioForm"), 560,
                  {kGraphicColumn,
                   {QStringLiteral(" Select .WAV or .MID Audio  "),
                    QStringLiteral("*.WAV;*.MID"),
                    PickerChoice("Sound Files|*.WAV;*.MID", "Select a Sound File"),
                    {QStringLiteral("*.WAV"), QStringLiteral("*.MID")},
                    QStringLiteral("No Sound file has been selected")}},
                  parent),
      Edit1(nameEdit(0)), Edit2(nameEdit(1)), Edit3(addExtraField(tr("Duration (1/10th sec)"), 4)),
      Button1(findButton(0)), Button2(findButton(1))
{
    Edit1->setText(graphic);
    Edit2->setText(sound);
    Edit3->setText(QString::number(duration));
    makeDurationField(Edit3);
    setPreview([this] {
        ShowCommand(CurrentHyperPhrase(),
                    Edit1->text() + QLatin1Char(',') + Edit2->text() + QLatin1Char(',') +
                        Edit3->text(),
                    QString(), this);
    });
    updateView();
}

bool GetGraphicAudio(QString& command, QString& graphic, QString& sound, int& duration,
                     QWidget* parent)
{
    TGetGrAudioForm form(graphic, sound, duration, parent);
    if (RunModal(form) != QDialog::Accepted)
        return false;
    graphic = form.Edit1->text();
    sound = form.Edit2->text();
    duration = ParseInteger(form.Edit3->text()).value_or(0);
    command = graphic + QLatin1Char(',') + sound + QLatin1Char(',') + form.Edit3->text();
    return true;
}
