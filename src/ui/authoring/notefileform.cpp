// The notepad name dialog (module HNfileF).
#include "ui/authoring/notefileform.h"

#include "core/files/projectpath.h"
#include "core/services/messages.h"
#include "platform/f1help.h"
#include "platform/look.h"
#include "platform/modal.h"
#include "platform/typinglimit.h"
#include "preview/hnotesform.h"
#include "ui/common/bringfile.h"

#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TNoteFileForm::TNoteFileForm(const QString& command, QWidget* parent)
    : QDialog(parent), Edit1(new QLineEdit(command)),
      FindBtn(new QPushButton(tr("&Find File"), this)), ViewBtn(new QPushButton(tr("&View"), this)),
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
    auto* buttons = ButtonRow({FindBtn, ViewBtn}, {OKBtn, CancelBtn});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
    connect(FindBtn, &QPushButton::clicked, this, &TNoteFileForm::findFile);
    connect(ViewBtn, &QPushButton::clicked, this, [this] { OpenNotepad(Edit1->text(), this); });
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TNoteFileForm::findFile()
{
    FileChoice choice;
    choice.title = tr("Select a Notepad File");
    choice.filter = QStringLiteral("Text Files  (*.TXT)|*.TXT|All Files  (*.*)|*.*");
    Edit1->setText(BringFileIntoProject(this, choice, QDir::currentPath(), Edit1->text()));
    Edit1->setFocus();
}

void TNoteFileForm::done(int result)
{
    const QString name = Edit1->text().trimmed();
    if (result == QDialog::Accepted && !name.isEmpty() && !IsBookFileName(name)) {
        ShowError(QStringLiteral("%1 is not a file of the book's folder: a reader could not open "
                                 "it. Use Find File to copy it there.")
                      .arg(name));
        Edit1->setFocus();
        return;
    }
    QDialog::done(result);
}

std::optional<QString> AskNotepadFile(const QString& command, QWidget* parent)
{
    TNoteFileForm form(command, parent);
    if (RunModal(form) != QDialog::Accepted)
        return std::nullopt;
    return form.Edit1->text();
}
