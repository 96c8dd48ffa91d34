// The program picker (module Hexgetf).
#include "ui/common/getexeform.h"

#include "core/files/filenames.h"
#include "core/services/messages.h"
#include "platform/modal.h"
#include "platform/typinglimit.h"
#include "preview/mediaactions.h"

#include <QLineEdit>

TGetExeForm::TGetExeForm(const QString& value, QWidget* parent)
    : TPickerForm(QStringLiteral("TGetExeForm"), 545,
                  {{QStringLiteral(" Enter Executable filename "),
                    QStringLiteral("*.exe;*.com;*.bat"),
                    PickerChoice("Executable Files|*.exe;*.com;*.bat", "Select Executable File"),
                    {QStringLiteral("*.exe"), QStringLiteral("*.com"), QStringLiteral("*.bat")},
                    QStringLiteral("No executable file has been selected")}},
                  parent),
      Edit1(nameEdit()), Edit2(addExtraField(tr("Parameters :"), 200)), GetBtn(findButton())
{
    LimitTyping(Edit1, 50);
    const qsizetype comma = value.indexOf(QLatin1Char(','));
    Edit1->setText(comma < 0 ? value : value.left(comma));
    Edit2->setText(comma < 0 ? QString() : value.mid(comma + 1));
    setViewAlwaysEnabled();
    setPreview([this] {
        MediaSlot::get().runProgram(this, HyperTextType::ExecutableProgram, this->value());
    });
    updateView();
}

QString TGetExeForm::value() const
{
    return Edit2->text().isEmpty() ? Edit1->text()
                                   : Edit1->text() + QLatin1Char(',') + Edit2->text();
}

bool GetExe(QString& value, QWidget* parent)
{
    TGetExeForm form(value, parent);
    if (RunModal(form) != QDialog::Accepted)
        return false;
    value = form.value();
    return true;
}
