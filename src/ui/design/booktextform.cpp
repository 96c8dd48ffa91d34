// The caption windows (module btextf).
#include "ui/design/booktextform.h"

#include "core/project/projectfiles.h"
#include "platform/f1help.h"
#include "platform/look.h"
#include "platform/typinglimit.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TCaptionsForm::TCaptionsForm(const CaptionsRecord& captions, int helpContext, QWidget* parent)
    : QDialog(parent), DefaultsBtn(new QPushButton(tr("&Defaults"), this)),
      OKBtn(new QPushButton(tr("&OK"), this)), CancelBtn(new QPushButton(tr("&Cancel"), this)),
      m_captions(captions), m_grid(nullptr), m_group(new QGroupBox(tr(" Menu Buttons "), this))
{
    setWindowTitle(tr("Press F1 for Help"));
    SetHelpContext(this, helpContext);
    m_grid = new QGridLayout(m_group);
    OKBtn->setDefault(true);
    connect(DefaultsBtn, &QPushButton::clicked, this, [this] {
        m_captions = DefaultCaptions();
        fill();
    });
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

QLineEdit* TCaptionsForm::addCaption(const QString& label, int maxLength)
{
    auto* edit = new QLineEdit(m_group);
    LimitTyping(edit, maxLength);
    auto* name = new QLabel(label, m_group);
    name->setBuddy(edit);
    const int row = m_grid->rowCount();
    m_grid->addWidget(name, row, 0);
    m_grid->addWidget(edit, row, 1);
    return edit;
}

void TCaptionsForm::finishLayout(QWidget* below)
{
    // A label without a buddy shows its ampersand as it stands.
    m_grid->addWidget(new QLabel(tr("Use & to indicate the Hot Key"), m_group), m_grid->rowCount(),
                      0, 1, 2);
    auto* buttons = ButtonRow({DefaultsBtn}, {OKBtn, CancelBtn});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_group);
    if (below)
        layout->addWidget(below);
    layout->addLayout(buttons);
    fill();
}

TBookTextForm::TBookTextForm(WorkingState& state, QWidget* parent)
    : TCaptionsForm(state.Project.Presentation.Captions, 215, parent),
      Edit1(addCaption(tr("Quit"), 16)), Edit2(addCaption(tr("Close"), 16)),
      Edit3(addCaption(tr("About"), 16)), Edit4(addCaption(tr("Help"), 16)),
      Edit5(addCaption(tr("Find"), 16)), Edit6(addCaption(tr("Print"), 16)), Edit7(new QLineEdit),
      m_state(state)
{
    setObjectName(QStringLiteral("TBookTextForm"));
    LimitTyping(Edit7, 25);
    auto* media = new QGroupBox(tr(" AVI and MIDI Instructions "), this);
    auto* mediaLayout = new QVBoxLayout(media);
    mediaLayout->addWidget(Edit7);
    finishLayout(media);
}

void TBookTextForm::fill()
{
    Edit1->setText(m_captions.QuitCaption.text());
    Edit2->setText(m_captions.CloseCaption.text());
    Edit3->setText(m_captions.AboutCaption.text());
    Edit4->setText(m_captions.HelpCaption.text());
    Edit5->setText(m_captions.FindCaption.text());
    Edit6->setText(m_captions.PrintCaption.text());
    Edit7->setText(m_captions.MediaPrompt.text());
}

void TBookTextForm::store()
{
    m_captions.QuitCaption.setText(Edit1->text());
    m_captions.CloseCaption.setText(Edit2->text());
    m_captions.AboutCaption.setText(Edit3->text());
    m_captions.HelpCaption.setText(Edit4->text());
    m_captions.FindCaption.setText(Edit5->text());
    m_captions.PrintCaption.setText(Edit6->text());
    m_captions.MediaPrompt.setText(Edit7->text());
}

void TBookTextForm::done(int result)
{
    if (result == QDialog::Accepted) {
        store();
        if (!SaveProjectChange(m_state, [this](ProjectRecord& project) {
                project.Presentation.Captions = m_captions;
            }))
            return;
        m_state.MediaPrompt = m_captions.MediaPrompt.text();
    }
    QDialog::done(result);
}

TChangeTextForm::TChangeTextForm(PresentationRecord& presentation, QWidget* parent)
    : TCaptionsForm(presentation.Captions, 475, parent), Edit2(addCaption(tr("Close"), 16)),
      Edit3(addCaption(tr("About"), 16)), Edit4(addCaption(tr("Help"), 16)),
      m_presentation(presentation)
{
    setObjectName(QStringLiteral("TChangeTextForm"));
    finishLayout();
}

void TChangeTextForm::fill()
{
    Edit2->setText(m_captions.CloseCaption.text());
    Edit3->setText(m_captions.AboutCaption.text());
    Edit4->setText(m_captions.HelpCaption.text());
}

void TChangeTextForm::store()
{
    m_captions.CloseCaption.setText(Edit2->text());
    m_captions.AboutCaption.setText(Edit3->text());
    m_captions.HelpCaption.setText(Edit4->text());
}

void TChangeTextForm::done(int result)
{
    if (result == QDialog::Accepted) {
        store();
        m_presentation.Captions = m_captions;
    }
    QDialog::done(result);
}
