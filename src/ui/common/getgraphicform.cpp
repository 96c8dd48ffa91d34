// The picture picker (module Hgrgetf).
#include "ui/common/getgraphicform.h"

#include "core/files/filenames.h"
#include "core/services/messages.h"
#include "platform/modal.h"
#include "preview/mediaactions.h"
#include "preview/showmultform.h"

#include <QLineEdit>

const PickerColumn kGraphicColumn{
    QStringLiteral(" Select .BMP or .JPG Graphic  "),
    QStringLiteral("*.BMP;*.JPG"),
    PickerChoice("Graphic Files|*.JPG;*.BMP", "Select a Graphic File"),
    {QStringLiteral("*.jpg"), QStringLiteral("*.bmp")},
    QStringLiteral("No Graphic file has been selected")};

QString GraphicCommand(const QString& graphic, const QString& duration)
{
    return graphic + QLatin1Char(',') + duration;
}

TGetGraphicForm::TGetGraphicForm(const QString& graphic, int duration, QWidget* parent)
    : TPickerForm(QStringLiteral("TGetGraphicForm"), 520, {kGraphicColumn}, parent),
      Edit1(nameEdit()), Edit2(addExtraField(tr("Duration (1/10th sec)"), 4)),
      FileListBox1(fileList()), GetBtn(findButton())
{
    Edit1->setText(graphic);
    Edit2->setText(QString::number(duration));
    makeDurationField(Edit2);
    setPreview([this] {
        if (!Edit1->text().isEmpty())
            ShowCommand(CurrentHyperPhrase(), GraphicCommand(Edit1->text(), Edit2->text()),
                        QString(), this);
    });
    updateView();
}

bool GetGraphic(QString& command, QString& graphic, int& duration, QWidget* parent)
{
    TGetGraphicForm form(graphic, duration, parent);
    if (RunModal(form) != QDialog::Accepted)
        return false;
    graphic = form.Edit1->text();
    duration = ParseInteger(form.Edit2->text()).value_or(0);
    command = GraphicCommand(form.Edit1->text(), form.Edit2->text());
    return true;
}
