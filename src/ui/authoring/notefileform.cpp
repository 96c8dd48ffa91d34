// The notepad name dialog (module HNfileF).
#include "ui/authoring/notefileform.h"

#include "platform/f1help.h"
#include "platform/look.h"
#include "platform/modal.h"
#include "platform/typinglimit.h"
#include "preview/hnotesform.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TNoteFileForm::TNoteFileForm(const QString& command, QWidget* parent)
    : QDialog(parent), Edit1(new QLineEdit(command)), ViewBtn(new QPushButton(tr("&View"), this)),
      OKBtn(new QPushButton(tr("&OK"), this)), CancelBtn(new QPushButton(tr("&Cancel"), this))
{
    setObjectName(QStringLiteral("TNoteFileForm"));
    setWindowTitle(tr("Press F1 for Help"));
    SetHelpContext(this, 590);
    PaintBackground(this, kTeal, Qt::white);
    LimitTyping(Edit1, 60);
    auto* group = new QGroupBox(tr(" Enter Text Filename "), this);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(Edit1);
    auto* buttons = ButtonRow({ViewBtn}, {OKBtn, CancelBtn});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
    connect(ViewBtn, &QPushButton::clicked, this, [this] { OpenNotepad(Edit1->text(), this); });
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<QString> AskNotepadFile(const QString& command, QWidget* parent)
{
    TNoteFileForm form(command, parent);
    if (RunModal(form) != QDialog::Accepted)
        return std::nullopt;
    return form.Edit1->text();
}
