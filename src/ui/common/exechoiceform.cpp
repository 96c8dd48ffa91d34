// The program-kind choice dialogs (module Hexchoif).
#include "ui/common/exechoiceform.h"

#include "platform/f1help.h"
#include "platform/look.h"
#include "platform/modal.h"
#include "ui/common/getexeform.h"
#include "ui/common/getfileform.h"
#include "ui/common/getwinexeform.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
const HyperTextType kTypes[3] = {HyperTextType::ExecutableProgram, HyperTextType::WindowsProgram,
                                 HyperTextType::HtmlFile};
}

TExeChoiceForm::TExeChoiceForm(const QString& command, const QString& file, HyperTextType type,
                               bool withHtml, QWidget* parent)
    : QDialog(parent), OKBtn(new QPushButton(tr("&OK"), this)),
      CancelBtn(new QPushButton(tr("&Cancel"), this)), m_command(command), m_file(file),
      m_choices(withHtml ? 3 : 2)
{
    setObjectName(withHtml ? QStringLiteral("TExeChoiceForm") : QStringLiteral("TExe2ChoiceForm"));
    setWindowTitle(tr("Press F1 for Help"));
    SetHelpContext(this, withHtml ? 540 : 425);
    const QString captions[3] = {tr(" Executable Program"),
                                 withHtml ? tr(" Windows related Program")
                                          : tr(" Internal Windows Program"),
                                 tr(" HTML Web Browser File")};
    auto* group = new QGroupBox(
        withHtml ? tr(" Select External Type ") : tr(" Select Executable Type "), this);
    auto* grid = new QGridLayout(group);
    for (int i = 0; i < 3; ++i) {
        RadioButtons[i] = new QRadioButton(captions[i], group);
        AddButtons[i] = new QPushButton(tr("Add"), group);
        if (i < m_choices) {
            grid->addWidget(RadioButtons[i], i, 0);
            grid->addWidget(AddButtons[i], i, 1);
        } else {
            RadioButtons[i]->hide();
            AddButtons[i]->hide();
        }
        connect(RadioButtons[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                select(i);
        });
        connect(AddButtons[i], &QPushButton::clicked, this, [this, i] { AddClick(i); });
    }
    auto* buttons = ButtonRow({}, {OKBtn, CancelBtn});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    int start = 0;
    for (int i = 0; i < m_choices; ++i) {
        if (type == kTypes[i]) {
            start = i;
            m_remembered[i] = file;
            m_type = type;
            m_hasProgram = true;
        }
    }
    RadioButtons[start]->setChecked(true);
    select(start);
}

void TExeChoiceForm::select(int choice)
{
    for (int i = 0; i < 3; ++i)
        AddButtons[i]->setEnabled(i == choice);
}

void TExeChoiceForm::AddClick(int choice)
{
    const HiddenWhileSubWindow hidden(this);
    QString value = m_remembered[choice];
    const bool done = choice == 0   ? GetExe(value, this)
                      : choice == 1 ? GetWinExe(value, this)
                                    : GetHtml(value, this);
    if (!done)
        return;
    m_remembered[choice] = value;
    m_file = value;
    m_command = value;
    m_type = kTypes[choice];
    m_hasProgram = true;
}

bool ChooseExecutable(QString& command, QString& file, HyperTextType& type, bool withHtml,
                      QWidget* parent)
{
    TExeChoiceForm form(command, file, type, withHtml, parent);
    if (RunModal(form) != QDialog::Accepted || !form.hasProgram())
        return false;
    command = form.command();
    file = form.file();
    type = form.type();
    return true;
}
