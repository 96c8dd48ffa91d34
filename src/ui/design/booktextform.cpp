// The book's caption window (module btextf).
#include "ui/design/booktextform.h"

#include "core/project/projectfiles.h"
#include "platform/typinglimit.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

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
