// The program line picker (module Hwngetf).
#include "ui/common/getwinexeform.h"

#include "core/files/filenames.h"
#include "core/services/messages.h"
#include "platform/modal.h"
#include "platform/typinglimit.h"
#include "preview/mediaactions.h"

#include <QLineEdit>

TGetWinExeForm::TGetWinExeForm(const QString& value, QWidget* parent)
    : TPickerForm(QStringLiteral("TGetWinExeForm"), 546,
                  {{QStringLiteral(" Windows related Program "),
                    QString(),
                    {},
                    {},
                    QStringLiteral("No executable file has been selected")}},
                  parent),
      Edit1(nameEdit())
{
    LimitTyping(Edit1, 50);
    Edit1->setText(value.toUpper());
    connect(Edit1, &QLineEdit::textEdited, this, [this](const QString& text) {
        const int cursor = Edit1->cursorPosition();
        Edit1->setText(text.toUpper());
        Edit1->setCursorPosition(cursor);
        updateView();
    });
    setPreview([this] {
        MediaSlot::get().runProgram(this, HyperTextType::WindowsProgram, Edit1->text());
    });
    updateView();
}

bool GetWinExe(QString& value, QWidget* parent)
{
    TGetWinExeForm form(value, parent);
    if (RunModal(form) != QDialog::Accepted)
        return false;
    value = form.Edit1->text();
    return true;
}
