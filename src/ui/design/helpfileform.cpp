// The help file window (module PhelpF).
#include "ui/design/helpfileform.h"

#include "core/files/filenames.h"
#include "core/services/messages.h"
#include "platform/f1help.h"
#include "platform/filelists.h"
#include "platform/look.h"
#include "platform/typinglimit.h"
#include "ui/common/bringfile.h"

#include <QDir>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

THelpfileForm::THelpfileForm(ConfigRecord& config, QWidget* parent)
    : QDialog(parent), Edit1(new QLineEdit(this)), FileListBox1(new FileListBox(this)),
      Button1(new QPushButton(tr("Find File"), this)), Edit2(new QLineEdit(this)),
      OKBtn(new QPushButton(tr("&OK"), this)), CancelBtn(new QPushButton(tr("&Cancel"), this)),
      m_config(config)
{
    setObjectName(QStringLiteral("THelpfileForm"));
    setWindowTitle(tr("Press F1 for Help"));
    SetHelpContext(this, 405);
    LimitTyping(Edit1, 12);
    Edit1->setPlaceholderText(QStringLiteral("*.HLP"));
    Edit1->setText(config.HelpFile.text());
    LimitTyping(Edit2, 8);
    Edit2->setText(QString::number(std::max(config.HelpTopic, 1)));
    Edit2->installEventFilter(this);
    FileListBox1->setMask(QStringLiteral("*.HLP"));
    FileListBox1->setDirectory(QDir::currentPath());
    OKBtn->setDefault(true);

    connect(FileListBox1, &FileListBox::fileClicked, Edit1, &QLineEdit::setText);
    connect(Button1, &QPushButton::clicked, this, [this] { ReportErrors([this] { findFile(); }); });
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->addRow(tr("HelpFile :"), Edit1);
    form->addRow(QString(), FileListBox1);
    form->addRow(QString(), Button1);
    form->addRow(tr("Starting Topic :"), Edit2);
    auto* buttons = ButtonRow({}, {OKBtn, CancelBtn});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

bool THelpfileForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Edit2 && event->type() == QEvent::FocusOut && isVisible())
        topicIsNumber();
    return QDialog::eventFilter(watched, event);
}

// A topic that is not a number becomes 1, with a message.
bool THelpfileForm::topicIsNumber()
{
    if (IsNumber(Edit2->text()))
        return true;
    ShowError(QStringLiteral("That is not a valid number"));
    Edit2->setText(QStringLiteral("1"));
    Edit2->setFocus();
    return false;
}

void THelpfileForm::findFile()
{
    FileChoice choice;
    choice.title = tr("Copy Help File");
    choice.filter = QStringLiteral("Help File|*.HLP");
    Edit1->setText(BringFileIntoProject(this, choice, QDir::currentPath(), Edit1->text()));
    FileListBox1->refresh();
}

void THelpfileForm::done(int result)
{
    if (result == QDialog::Accepted) {
        if (!topicIsNumber())
            return;
        if (StrToInt(Edit2->text()) < 1) {
            ShowError(QStringLiteral("The Starting Topic must be greater than 0."));
            Edit2->setText(QStringLiteral("1"));
            Edit2->setFocus();
            return;
        }
        m_config.HelpFile.setText(Edit1->text().left(150));
        m_config.HelpTopic = StrToInt(Edit2->text());
    }
    QDialog::done(result);
}
