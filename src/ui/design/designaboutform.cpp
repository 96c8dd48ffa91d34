// The About box designer (module abtmakef).
#include "ui/design/designaboutform.h"

#include "core/files/filenames.h"
#include "core/services/messages.h"
#include "platform/f1help.h"
#include "platform/filelists.h"
#include "platform/look.h"
#include "platform/modal.h"
#include "platform/typinglimit.h"
#include "preview/aboutbox.h"
#include "ui/design/iconfile.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QLineEdit* limitedEdit(int maxLength, const QString& text)
{
    auto* edit = new QLineEdit(text);
    LimitTyping(edit, maxLength);
    return edit;
}

} // namespace

TDesignAboutForm::TDesignAboutForm(AboutRecord& about, QWidget* parent)
    : QDialog(parent), BoxTitleEdit(limitedEdit(40, about.AboutCaption.text())),
      UseIconChkBox(new QCheckBox(tr("  Use Icon"))),
      IconEdit(new QLineEdit(about.IconFile.text())), IconFileListBox(new FileListBox),
      FindBtn(new QPushButton(tr("Find File"))),
      ProgNameEdit(limitedEdit(32, about.ProgramName.text())),
      VersionEdit(limitedEdit(42, about.VersionText.text())),
      CopyrightEdit(limitedEdit(42, about.AuthorText.text())),
      Comm{limitedEdit(65, about.Comment1.text()), limitedEdit(65, about.Comment2.text()),
           limitedEdit(65, about.Comment3.text()), limitedEdit(65, about.Comment4.text())},
      WhenButtons{new QRadioButton(tr("  Starts")), new QRadioButton(tr("  Ends")),
                  new QRadioButton(tr(" Both")), new QRadioButton(tr(" Neither"))},
      OKBtn(new QPushButton(tr("&OK"), this)), CancelBtn(new QPushButton(tr("&Cancel"), this)),
      ViewBtn(new QPushButton(tr("&View"), this)), m_about(about), m_working(about)
{
    setObjectName(QStringLiteral("TDesignAboutForm"));
    setWindowTitle(tr("Press F1 for Help"));
    SetHelpContext(this, 440);
    IconEdit->setPlaceholderText(QStringLiteral("*.ico"));
    BindIconList(IconEdit, IconFileListBox, QStringLiteral("*.ico"));
    const int when = about.AboutWhen <= 3 ? about.AboutWhen : 0;
    WhenButtons[when]->setChecked(true);
    UseIconChkBox->setChecked(about.UseIcon != 0);
    build();
    iconBoxChanged();
    BoxTitleEdit->setFocus();

    connect(UseIconChkBox, &QCheckBox::toggled, this, &TDesignAboutForm::iconBoxChanged);
    connect(FindBtn, &QPushButton::clicked, this, [this] {
        ReportErrors([this] {
            FindIconFile(this, tr("Select Icon File"), QStringLiteral("Icon Files|*.ICO"), IconEdit,
                         IconFileListBox);
        });
    });
    connect(ViewBtn, &QPushButton::clicked, this, &TDesignAboutForm::view);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TDesignAboutForm::build()
{
    auto* group = new QGroupBox(tr(" Design the About Box "), this);
    auto* form = new QFormLayout(group);
    form->addRow(tr("Caption :"), BoxTitleEdit);
    form->addRow(UseIconChkBox, IconEdit);
    form->addRow(QString(), IconFileListBox);
    form->addRow(QString(), FindBtn);
    IconFileListBox->setMaximumHeight(80);
    form->addRow(tr("Program"), ProgNameEdit);
    form->addRow(tr("Version :"), VersionEdit);
    form->addRow(tr("Author :"), CopyrightEdit);
    auto* comments = new QGroupBox(tr("Comments"), group);
    auto* commentLayout = new QVBoxLayout(comments);
    for (QLineEdit* comment : Comm)
        commentLayout->addWidget(comment);
    form->addRow(comments);
    auto* when = new QGroupBox(tr(" Display About Box when program "), group);
    auto* whenLayout = new QHBoxLayout(when);
    for (QRadioButton* button : WhenButtons)
        whenLayout->addWidget(button);
    form->addRow(when);

    auto* buttons = ButtonRow({ViewBtn}, {OKBtn, CancelBtn});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
    setMinimumWidth(560);
}

void TDesignAboutForm::iconBoxChanged()
{
    const bool useIcon = UseIconChkBox->isChecked();
    if (useIcon && !ValidFileName(IconEdit->text()))
        IconEdit->clear();
    IconEdit->setVisible(useIcon);
    IconFileListBox->setVisible(useIcon);
    FindBtn->setVisible(useIcon);
}

int TDesignAboutForm::selectedWhen() const
{
    for (int when = 0; when < 4; ++when) {
        if (WhenButtons[when]->isChecked())
            return when;
    }
    return 0;
}

void TDesignAboutForm::storeInto(AboutRecord& about) const
{
    about.AboutCaption.setText(BoxTitleEdit->text());
    about.UseIcon = UseIconChkBox->isChecked() ? 1 : 0;
    about.IconFile.setText(IconEdit->text());
    about.ProgramName.setText(ProgNameEdit->text());
    about.VersionText.setText(VersionEdit->text());
    about.AuthorText.setText(CopyrightEdit->text());
    about.Comment1.setText(Comm[0]->text());
    about.Comment2.setText(Comm[1]->text());
    about.Comment3.setText(Comm[2]->text());
    about.Comment4.setText(Comm[3]->text());
}

void TDesignAboutForm::view()
{
    storeInto(m_working);
    if (selectedWhen() < 3) // "Neither" keeps the value the box had
        m_working.AboutWhen = static_cast<std::uint16_t>(selectedWhen());
    TAboutBox box(m_working, false, this);
    RunModal(box);
    ViewBtn->setFocus();
}

void TDesignAboutForm::done(int result)
{
    if (result == QDialog::Accepted) {
        if (UseIconChkBox->isChecked() && IconEdit->text().isEmpty())
            UseIconChkBox->setChecked(false);
        if (!UseIconChkBox->isChecked())
            IconEdit->clear();
        storeInto(m_working);
        m_working.AboutWhen = static_cast<std::uint16_t>(selectedWhen());
        m_about = m_working;
    }
    QDialog::done(result);
}

bool DesignAboutBox(AboutRecord& about, QWidget* parent)
{
    TDesignAboutForm form(about, parent);
    return RunModal(form) == QDialog::Accepted;
}
