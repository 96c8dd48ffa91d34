// The chapter name dialog.
#include "ui/authoring/gettextform.h"

#include "platform/f1help.h"
#include "platform/look.h"
#include "platform/typinglimit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TGetTextForm::TGetTextForm(const QString& name, QWidget* parent)
    : QDialog(parent), Label1(new QLabel(tr("Save Chapter file as :"), this)),
      Edit1(new QLineEdit(name, this)), SaveBtn(new QPushButton(tr("Save"), this)),
      CancelBtn(new QPushButton(tr("Cancel"), this))
{
    setObjectName(QStringLiteral("TGetTextForm"));
    setWindowTitle(tr("Press F1 for Help"));
    SetHelpContext(this, 144);
    LimitTyping(Edit1, 50);
    auto* buttons = ButtonRow({}, {SaveBtn, CancelBtn});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Edit1);
    layout->addLayout(buttons);
    SaveBtn->setDefault(true);
    connect(SaveBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    setFixedWidth(320);
}
