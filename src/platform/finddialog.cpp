// Find and replace dialogs.
#include "platform/finddialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFindDialog::TFindDialog(Mode mode, const QString& findText, QWidget* parent)
    : QDialog(parent), FindEdit(new QLineEdit(findText, this)), ReplaceEdit(new QLineEdit(this)),
      FindNextBtn(new QPushButton(tr("&Find Next"), this)),
      ReplaceBtn(new QPushButton(tr("&Replace"), this)),
      ReplaceAllBtn(new QPushButton(tr("Replace &All"), this)),
      CancelBtn(new QPushButton(tr("Cancel"), this))
{
    setObjectName(QStringLiteral("TFindDialog"));
    setWindowTitle(mode == Find ? tr("Find") : tr("Replace"));
    auto* fields = new QFormLayout;
    fields->addRow(tr("Fi&nd what:"), FindEdit);
    if (mode == Replace)
        fields->addRow(tr("Re&place with:"), ReplaceEdit);
    else
        ReplaceEdit->hide();
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(FindNextBtn);
    buttons->addWidget(ReplaceBtn);
    buttons->addWidget(ReplaceAllBtn);
    buttons->addWidget(CancelBtn);
    buttons->addStretch();
    ReplaceBtn->setVisible(mode == Replace);
    ReplaceAllBtn->setVisible(mode == Replace);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);
    FindNextBtn->setDefault(true);
    connect(FindNextBtn, &QPushButton::clicked, this, &TFindDialog::findNext);
    connect(ReplaceBtn, &QPushButton::clicked, this, &TFindDialog::replace);
    connect(ReplaceAllBtn, &QPushButton::clicked, this, &TFindDialog::replaceAll);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::close);
}

QString TFindDialog::findText() const
{
    return FindEdit->text();
}

void TFindDialog::takeShortSelection(const QString& selected)
{
    if (selected.size() >= 1 && selected.size() <= 29)
        FindEdit->setText(selected);
}

QString TFindDialog::replaceText() const
{
    return ReplaceEdit->text();
}
