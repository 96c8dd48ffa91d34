// The name-and-folder dialog (module Makedirf).
#include "ui/mainwindow/makedirform.h"

#include "core/files/filenames.h"
#include "core/services/messages.h"
#include "platform/f1help.h"
#include "platform/filelists.h"
#include "platform/look.h"
#include "platform/modal.h"

#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TMakeDirForm::TMakeDirForm(const QString& mask, int helpContext, const QString& prompt,
                           QWidget* parent)
    : QDialog(parent), DriveLbl(new QLabel(tr("Select  Drive :"), this)),
      DriveComboBox1(new DriveComboBox(this)),
      DirectoryLbl(new QLabel(tr("Create or Select a Folder "), this)), Edit1(new QLineEdit(this)),
      DirectoryListBox1(new DirectoryListBox(this)), FileLbl(new QLabel(prompt, this)),
      Edit2(new QLineEdit(this)), FileListBox1(new FileListBox(this)),
      BitBtn1(new QPushButton(tr("&OK"), this)), BitBtn2(new QPushButton(tr("&Cancel"), this))
{
    setObjectName(QStringLiteral("TMakeDirForm"));
    setWindowTitle(tr("Press F1 for Help"));
    SetHelpContext(this, helpContext);
    PaintBackground(this, kTeal, Qt::white);
    buildLayout();

    FileListBox1->setMask(mask);
    DirectoryListBox1->setFileList(FileListBox1);
    DriveComboBox1->setDirList(DirectoryListBox1);
    DirectoryListBox1->setDirectory(QDir::currentPath());
    DriveComboBox1->selectDriveOf(DirectoryListBox1->directory());
    DirectoryListBox1->bindFolderEdit(Edit1);

    connect(FileListBox1, &FileListBox::fileClicked, Edit2, &QLineEdit::setText);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    BitBtn1->setDefault(true);
}

void TMakeDirForm::buildLayout()
{
    auto* grid = new QGridLayout;
    grid->addWidget(DriveLbl, 0, 0);
    grid->addWidget(DriveComboBox1, 0, 1);
    grid->addWidget(DirectoryLbl, 1, 0, 1, 2);
    grid->addWidget(Edit1, 2, 0, 1, 2);

    auto* fileColumn = new QVBoxLayout;
    fileColumn->addWidget(FileLbl);
    fileColumn->addWidget(Edit2);
    fileColumn->addWidget(FileListBox1);
    auto* lists = new QHBoxLayout;
    lists->addWidget(DirectoryListBox1);
    lists->addLayout(fileColumn);

    auto* buttons = ButtonRow({}, {BitBtn1, BitBtn2});
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(4);
    layout->addLayout(grid);
    layout->addLayout(lists, 1);
    layout->addLayout(buttons);
    setFixedSize(350, 268);
}

QString TMakeDirForm::folder() const
{
    QString text = Edit1->text();
    if (!text.endsWith(QLatin1Char('/')))
        text += QLatin1Char('/');
    return text;
}

QString TMakeDirForm::name() const
{
    return Edit2->text();
}

bool TMakeDirForm::canClose()
{
    const char* problem = nullptr;
    if (!ValidFileName(Edit2->text()))
        problem = "A correct filename must be entered.";
    else if (Edit2->text().isEmpty())
        problem = "A filename must be entered.";
    if (!problem)
        return true;
    ShowError(QString::fromLatin1(problem));
    Edit2->setFocus();
    return false;
}

void TMakeDirForm::done(int result)
{
    if (result == QDialog::Accepted && !canClose())
        return;
    QDialog::done(result);
}

bool AskNameAndFolder(const QString& mask, QString& folder, QString& name, int helpContext,
                      const QString& prompt, QWidget* parent)
{
    TMakeDirForm form(mask, helpContext, prompt, parent);
    if (RunModal(form) != QDialog::Accepted)
        return false;
    folder = form.folder();
    name = form.name();
    return true;
}
