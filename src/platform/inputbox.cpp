// The one-line question box.
#include "platform/inputbox.h"

#include "platform/look.h"
#include "platform/modal.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TInputBox::TInputBox(const QString& caption, const QString& prompt, const QString& offered,
                     QWidget* parent)
    : QDialog(parent), PromptLbl(new QLabel(prompt, this)), Edit(new QLineEdit(offered, this)),
      OKBtn(new QPushButton(tr("OK"), this)), CancelBtn(new QPushButton(tr("Cancel"), this))
{
    setObjectName(QStringLiteral("TInputBox"));
    setWindowTitle(caption);
    PromptLbl->setBuddy(Edit);
    OKBtn->setDefault(true);
    Edit->selectAll();
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = ButtonRow({}, {OKBtn, CancelBtn});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PromptLbl);
    layout->addWidget(Edit);
    layout->addLayout(buttons);
    setMinimumWidth(320);
}

std::optional<QString> InputBox(const QString& caption, const QString& prompt,
                                const QString& offered, QWidget* parent)
{
    TInputBox box(caption, prompt, offered, parent);
    if (RunModal(box) != QDialog::Accepted)
        return std::nullopt;
    return box.Edit->text();
}
